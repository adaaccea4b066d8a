#pragma once
// Small text and key helpers that many forms and classes share: blank identity texts, the key
// and text filters of identification fields, the parts of the record tree's node keys ("123 H",
// "0 #"), the date text of event lists, and thin wrappers over the platform (a locale text, the
// operating-system class, the language and locale identifier arithmetic).
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QString>
#include <cstdint>

namespace mt52 {

// Kinds of blank identity text (second argument of BlankToDashes).
enum BlankIdKind : Integer {
    BlankUserId = 0,
    BlankStationId = 1,
    BlankSerialNo = 2,
    BlankDummySerialNo = 3,
    BlankMonthFolder = 4,
};

// The text trimmed of blanks; a blank text becomes 16 "-" (user and station ID), 20 "-" (serial
// numbers) or "*" (any other kind).
QString BlankToDashes(const QString& text, Integer kind);

// Key filter of free text fields: letters, digits, blank, "*", "-" and backspace (8).
bool IsTextKey(Integer keyCode);
// Key filter of identification fields: letters, digits, blank, "-", "_", "/" and backspace (8).
bool IsIdKey(Integer keyCode);
// Every character is an ASCII letter, a digit, a blank, "-", "_" or "/"; true for the empty text.
bool IsIdText(const QString& text);
// Every character is 0..9; true for the empty text.
bool IsAllDigits(const QString& text);

// Characters after the first "."; 0 without one ("100" 0, "0.50" 2, "1." 0).
Integer CountDecimals(const QString& text);

// The whole number before the first blank of a node key ("123 H" gives 123), rounded to the
// nearest (halves to even). 0 for the empty text and for a text whose first part is missing
// or is not a number that fits 32 bits.
Long LeadingNumber(const QString& text);
// The text without its last two characters ("123 H" gives "123"); empty below 3 characters.
QString DropLastTwo(const QString& text);
// The part after the last blank ("ST 1 T" gives "T", "0 #" gives "#"); a text without a blank
// is returned unchanged.
QString LastWord(const QString& text);

// The time of an event list entry as "mm/dd hh:nn:ss"; "-----" when the value is -118 (checked
// first), "*****" when the time is the invalid-date mark. FormatEventDate2 is the same
// operation under the second name the event-list reports use.
QString FormatEventDate(Single value, const Date& time);
QString FormatEventDate2(Single value, const Date& time);

// A calibration date as GeneralDate writes it; empty for a date before the year 2000 or not
// after 0 (a calibration never made).
QString FormatCalDate(const Date& date);

// Locale information types answered by GetLocaleString.
inline constexpr Long LocaleCalendarType = 4105;  // "1": the Gregorian calendar
inline constexpr Long LocaleShortDate = 31;       // the short date picture, e.g. "yyyy/MM/dd"

// An item of the default locale as text (without a terminating NUL); "" for a type not known.
QString GetLocaleString(Long type);

// Language and locale identifier arithmetic: sub * 1024 + primary; the locale id of a language
// id (sort id 0) is the language id itself. MakeLcid(MakeLangId(0, 1)) is the user default, 1024.
std::uint16_t MakeLangId(Byte primary, Byte sub);
Long MakeLcid(std::uint16_t langId);

// Records the platform id and the version class in State().OsPlatformId / OsVersionClass.
// No platform of the classic version table runs this program: both are 0 ("other").
void GetOsVersionClass();

}  // namespace mt52
