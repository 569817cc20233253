// String resources: the Chinese texts word for word, the English ones present
// and shaped the way the program uses them.
#include "resources/resource.h"
#include "tests/resources/ResourceSets.h"

#include <gtest/gtest.h>

namespace tessaly_test {
namespace {

const std::vector<std::pair<unsigned, std::wstring>>& ChineseStrings()
{
    static const std::vector<std::pair<unsigned, std::wstring>> strings = {
        {IDS_ABOUT_MENU_ITEM, L"关于 Orvane Tessaly(&A)..."},
        {IDS_APP_TITLE, L"Orvane Tessaly"},
        {IDS_TIP_CLICK_TO_SHOW, L"单击显示\"Orvane Tessaly\""},
        {IDS_TIP_CLICK_TO_HIDE, L"单击隐藏\"Orvane Tessaly\""},
        {IDS_TIP_SET_PICTURE, L"设置图片"},
        {IDS_TIP_SHOW_DESKTOP, L"显示桌面"},
        {IDS_TIP_MINIMISE, L"最小化"},
        {IDS_TIP_HELP, L"显示帮助文件"},
        {IDS_TIP_ABOUT, L"关于Orvane Tessaly"},
        {IDS_TIP_EXIT, L"退出程序"},
        {IDS_FOLDER_BROWSER_TITLE, L"请选择图片文件所在的目录(&V)："},
        {IDS_COLUMN_FILE_NAME, L"文件名"},
        {IDS_COLUMN_TYPE, L"类型"},
        {IDS_COLUMN_MODIFIED, L"修改日期"},
        {IDS_PICTURE_SIZE_LABEL, L"图片尺寸为："},
    };
    return strings;
}

std::vector<unsigned> AllStringIds()
{
    std::vector<unsigned> ids = {IDS_ABOUT_MENU_ITEM, IDS_APP_TITLE, IDS_SKIN_FILE_MISSING, IDS_PARSE_NUMBER,
                                 IDS_PARSE_NUMBER_RANGE};
    for (unsigned id = IDS_TIP_CLICK_TO_SHOW; id <= IDS_PICTURE_SIZE_LABEL; ++id)
        ids.push_back(id);
    return ids;
}

// The bytes a text takes in the ANSI code page the program runs under.
std::string ToCodePage(const std::wstring& text, UINT codePage)
{
    const int size = WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

TEST(ChineseStrings, AreWordForWordInTheModuleAndTheProgram)
{
    for (ResourceSet set : {ResourceSet::Chinese, ResourceSet::Program}) {
        const ResourceModule& module = ModuleOf(set);
        ASSERT_TRUE(module.loaded());
        for (const auto& [id, text] : ChineseStrings())
            EXPECT_EQ(module.String(id), text) << set << " string " << id;
    }
}

class EveryResourceSetStrings : public ::testing::TestWithParam<ResourceSet> {
  protected:
    const ResourceModule& module() const { return ModuleOf(GetParam()); }
    UINT codePage() const { return HasChineseTexts(GetParam()) ? 936 : 1252; }
};

TEST_P(EveryResourceSetStrings, HasATextForEveryId)
{
    ASSERT_TRUE(module().loaded());
    for (unsigned id : AllStringIds())
        EXPECT_FALSE(module().String(id).empty()) << "string " << id;
}

TEST_P(EveryResourceSetStrings, RangeMessageHasBothBoundsAndNumberMessageNone)
{
    ASSERT_TRUE(module().loaded());
    const std::wstring range = module().String(IDS_PARSE_NUMBER_RANGE);
    EXPECT_NE(range.find(L"%1"), std::wstring::npos);
    EXPECT_NE(range.find(L"%2"), std::wstring::npos);
    EXPECT_LT(range.find(L"%1"), range.find(L"%2")) << "lower bound first";
    EXPECT_EQ(module().String(IDS_PARSE_NUMBER).find(L'%'), std::wstring::npos);
}

TEST_P(EveryResourceSetStrings, NotificationTipsNameTheProductAndFitTheTipField)
{
    ASSERT_TRUE(module().loaded());
    for (unsigned id : {IDS_TIP_CLICK_TO_SHOW, IDS_TIP_CLICK_TO_HIDE}) {
        const std::wstring tip = module().String(id);
        const std::wstring product = L"\"Orvane Tessaly\"";
        ASSERT_GE(tip.size(), product.size());
        EXPECT_EQ(tip.substr(tip.size() - product.size()), product);
        // The notification record holds 63 bytes of tip and a terminating zero.
        EXPECT_LE(ToCodePage(tip, codePage()).size(), 63u);
    }
    EXPECT_NE(module().String(IDS_TIP_CLICK_TO_SHOW), module().String(IDS_TIP_CLICK_TO_HIDE));
}

TEST_P(EveryResourceSetStrings, TextsSurviveTheProgramsAnsiCodePage)
{
    // The program is ANSI: a character its code page lacks would show as "?".
    ASSERT_TRUE(module().loaded());
    for (unsigned id : AllStringIds()) {
        const std::wstring text = module().String(id);
        BOOL lost = FALSE;
        WideCharToMultiByte(codePage(), WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lost);
        EXPECT_FALSE(lost) << "string " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(LanguageModules, EveryResourceSetStrings,
                         ::testing::Values(ResourceSet::English, ResourceSet::Chinese, ResourceSet::Program),
                         ::testing::PrintToStringParamName());

} // namespace
} // namespace tessaly_test
