#pragma once
// The settings file "MT52.ini" in the program folder: one key per line, values after tabs,
// texts in single quotes, ";" comment lines, CR LF line ends, UTF-8.
//
// LoadIniSettings reads it into the module state, the sample instrument, the gas-type table
// and the window's settings; SaveIniSettings writes it again, whole, from the same places.
// A text that holds a character the line format would swallow ("'", ";", a tab or a line
// break) is written with that character as "%" and two hex digits ("%27", "%3B", "%09",
// "%0D", "%0A"), and a "%" that would read as such a code as "%25"; the reader undoes it.
// Other texts, "%LEL" among them, are written as they stand.
#include "platform/Types.h"

#include <QString>
#include <array>
#include <optional>

namespace mt52 {

// The size and state of the main window ("Size Values").
struct WindowPlacement {
    Integer state = 0;  // 0 normal, 1 minimised, 2 maximised
    Single width = 0;   // twips
    Single height = 0;  // twips
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// What the settings file keeps of the main window's controls. After reading, a value is
// present only when the file supplied it, and the window applies the present ones to its
// controls; before writing, the window fills every value from its controls.
struct WindowSettings {
    // The trend graph's scale, back and cursor colours (red + 256 green + 65536 blue).
    std::optional<std::array<Long, 3>> graphColors;
    // The stored-data tree's grouping boxes: by serial number, station ID, user ID.
    std::optional<std::array<bool, 3>> dataSelect;
    std::optional<WindowPlacement> placement;

    friend bool operator==(const WindowSettings&, const WindowSettings&) = default;
};

// The font sizes the settings file may set (points); a size outside keeps the default font.
inline constexpr Single MinimumFontPoints = 6;
inline constexpr Single MaximumFontPoints = 72;

// The values written for window settings that no window has filled in.
inline constexpr std::array<Long, 3> FallbackGraphColors{0, 15790320, 16728128};
inline constexpr WindowPlacement FallbackPlacement{0, 11640, 8250};

// StartDir, then "MT52.ini".
QString IniFilePath();

// Reads the settings file when it exists; without it nothing changes. A line that cannot be
// used (unknown key, too few values, a number out of the range of its key) is passed over
// and the reading goes on with the next line.
void LoadIniSettings(WindowSettings& window);

// Writes the settings file whole, through a temporary file that replaces the old one only
// when it is complete. A failure raises RuntimeError ErrPathFileAccess naming the file; the
// old file then stays as it was. On success ExecuteCount is the count just written.
void SaveIniSettings(const WindowSettings& window);

// The program's unscrambling of the stored lock password: each pair of characters (a, b) at
// pair index k gives the character (code(b) - 70) * 16 + (low four bits of code(a) - 70) - k;
// a last unpaired character is ignored. ErrInvalidArgument when a pair gives no character.
QString PassDecode(const QString& text);
// The scrambling that PassDecode undoes: PassDecode(PassEncode(s)) == s.
QString PassEncode(const QString& text);

// The escaping of texts in the settings file (see above).
QString EscapeIniText(const QString& text);
QString UnescapeIniText(const QString& text);

}  // namespace mt52
