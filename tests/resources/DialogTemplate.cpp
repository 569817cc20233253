#include "tests/resources/DialogTemplate.h"

#include <cstring>

namespace tessaly_test {

namespace {

// Reads little-endian fields and stops for good at the first read past the end.
class TemplateReader {
  public:
    explicit TemplateReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }

    template <typename T> T Read()
    {
        T value{};
        if (!ok_ || offset_ + sizeof(T) > bytes_.size()) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, &bytes_[offset_], sizeof(T));
        offset_ += sizeof(T);
        return value;
    }

    std::wstring ReadString()
    {
        std::wstring text;
        for (wchar_t c = Read<std::uint16_t>(); ok_ && c != 0; c = Read<std::uint16_t>())
            text += c;
        return text;
    }

    NameOrOrdinal ReadNameOrOrdinal()
    {
        const std::uint16_t first = Read<std::uint16_t>();
        if (first == 0)
            return {};
        if (first == 0xFFFF)
            return {L"", Read<std::uint16_t>()};
        NameOrOrdinal name;
        name.text = first;
        name.text += ReadString();
        return name;
    }

    void AlignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }
    void Skip(std::size_t count) { offset_ += count; }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

std::wstring ClassName(const NameOrOrdinal& name)
{
    switch (name.ordinal) {
    case 0:
        return name.text;
    case 0x80:
        return L"Button";
    case 0x81:
        return L"Edit";
    case 0x82:
        return L"Static";
    case 0x83:
        return L"ListBox";
    case 0x84:
        return L"ScrollBar";
    case 0x85:
        return L"ComboBox";
    default:
        return L"#" + std::to_wstring(name.ordinal);
    }
}

DialogControl ReadControl(TemplateReader& reader)
{
    reader.AlignToDword();
    DialogControl control;
    reader.Read<std::uint32_t>(); // help id
    control.exStyle = reader.Read<std::uint32_t>();
    control.style = reader.Read<std::uint32_t>();
    control.x = reader.Read<std::int16_t>();
    control.y = reader.Read<std::int16_t>();
    control.cx = reader.Read<std::int16_t>();
    control.cy = reader.Read<std::int16_t>();
    control.id = reader.Read<std::int32_t>();
    control.windowClass = ClassName(reader.ReadNameOrOrdinal());
    control.title = reader.ReadNameOrOrdinal();
    reader.Skip(reader.Read<std::uint16_t>()); // creation data
    return control;
}

constexpr std::uint32_t kSetFont = 0x40; // DS_SETFONT

} // namespace

const DialogControl* DialogTemplate::Control(int id) const
{
    for (const DialogControl& control : controls)
        if (control.id == id)
            return &control;
    return nullptr;
}

std::optional<DialogTemplate> ParseDialogTemplate(const std::vector<std::uint8_t>& bytes)
{
    TemplateReader reader(bytes);
    if (reader.Read<std::uint16_t>() != 1 || reader.Read<std::uint16_t>() != 0xFFFF)
        return std::nullopt;
    DialogTemplate dialog;
    reader.Read<std::uint32_t>(); // help id
    dialog.exStyle = reader.Read<std::uint32_t>();
    dialog.style = reader.Read<std::uint32_t>();
    const std::uint16_t controlCount = reader.Read<std::uint16_t>();
    dialog.x = reader.Read<std::int16_t>();
    dialog.y = reader.Read<std::int16_t>();
    dialog.cx = reader.Read<std::int16_t>();
    dialog.cy = reader.Read<std::int16_t>();
    reader.ReadNameOrOrdinal(); // menu
    reader.ReadNameOrOrdinal(); // window class
    dialog.caption = reader.ReadString();
    if (dialog.style & kSetFont) {
        dialog.pointSize = reader.Read<std::uint16_t>();
        reader.Read<std::uint16_t>(); // weight
        reader.Read<std::uint16_t>(); // italic, character set
        dialog.typeface = reader.ReadString();
    }
    for (std::uint16_t index = 0; index < controlCount && reader.ok(); ++index)
        dialog.controls.push_back(ReadControl(reader));
    if (!reader.ok())
        return std::nullopt;
    return dialog;
}

} // namespace tessaly_test
