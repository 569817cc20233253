// Reads an extended dialog template (DLGTEMPLATEEX) into plain values, so
// tests can compare controls, styles and positions field by field.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly_test {

// A name in a template is either a string or a 16-bit ordinal.
struct NameOrOrdinal {
    std::wstring text;
    std::uint16_t ordinal = 0; // 0 when the name is a string (or empty)
};

struct DialogControl {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;               // -1 for controls without an id of their own
    std::wstring windowClass; // "Button", "Edit", "Static", ... or the class name
    NameOrOrdinal title;
};

struct DialogTemplate {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    int pointSize = 0;
    std::wstring typeface;
    std::vector<DialogControl> controls;

    const DialogControl* Control(int id) const;
};

// Nothing when the bytes are not a complete extended template.
std::optional<DialogTemplate> ParseDialogTemplate(const std::vector<std::uint8_t>& bytes);

} // namespace tessaly_test
