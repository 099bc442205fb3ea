// The numbered messages. The top four bits of a number are its kind, which
// fixes the buttons and the answer given when questions are switched off.
#pragma once

#include <cstdint>

namespace quilmark {

using MessageId = std::uint32_t;

inline constexpr MessageId MSG_NO_GENRE = 0x00000000;
inline constexpr MessageId MSG_YEAR_LIMIT = 0x00000002;
inline constexpr MessageId MSG_BAD_NUMBER = 0x00000006;
inline constexpr MessageId MSG_NO_ROW_TO_DELETE = 0x00000007;
inline constexpr MessageId MSG_CANNOT_PASTE = 0x00000009;
inline constexpr MessageId MSG_NO_ASSOCIATION = 0x0000000A;
inline constexpr MessageId MSG_OUT_OF_MEMORY = 0x0000000B;
inline constexpr MessageId MSG_FILE_NOT_FOUND = 0x0000000C;
inline constexpr MessageId MSG_BAD_EXE = 0x0000000D;
inline constexpr MessageId MSG_CANNOT_WRITE = 0x00000011;
inline constexpr MessageId MSG_CANNOT_OPEN = 0x00000012;
inline constexpr MessageId MSG_BAD_PATTERN = 0x00000013;
inline constexpr MessageId MSG_TAG_VERSION_UNSUPPORTED = 0x01000002;
inline constexpr MessageId MSG_TAG_COMPRESSED = 0x01000003;
inline constexpr MessageId MSG_CONFIRM_DELETE_ROW = 0x10000000;
inline constexpr MessageId MSG_CONFIRM_CLEAR_LIST = 0x10000001;
inline constexpr MessageId MSG_CONFIRM_ERASE_TAG = 0x10000010;
inline constexpr MessageId MSG_CONFIRM_ERASE_ALL_TAGS = 0x10000011;
inline constexpr MessageId MSG_CONFIRM_ERASE_SELECTED_TAGS = 0x10000012;
inline constexpr MessageId MSG_CONFIRM_WRITE_FILE = 0x20000000;
inline constexpr MessageId MSG_CONFIRM_SAVE_ON_CLOSE = 0x30000000;

// Dialog results, as the Win32 message box returns them.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Message box styles: buttons in the low nibble, icon in the next.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_YESNOCANCEL = 0x03;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

}  // namespace quilmark
