// The console's encoding: code page 932 (Shift-JIS) or UTF-8, chosen once at start-up, and what a
// Japanese input method types in either, read as ASCII.
#pragma once

// The choice, made by selectConsoleEncoding (console.h) from what the platform says.
void useCodePage932(bool codePage932);
bool consoleIsCodePage932();

// Whether the codeset name of a locale ("SHIFT_JIS", "sjis", "CP932", "WINDOWS-31J", ...,
// compared without case, hyphens or underscores) is code page 932 or one it contains.
bool namesShiftJis(const char* codeset);

// The bytes that follow the first byte of a character: in code page 932, one after a lead byte;
// in UTF-8, one to three after a lead byte. 0 for a character of one byte.
int trailingBytes(int lead);

// 0x80 ... 0xbf: a byte that can continue a UTF-8 character.
bool isContinuationByte(int c);

// Full-width digits, '．', '－', '＋', the ideographic space and 'ｙ' read as their ASCII
// counterparts; a UTF-8 byte order mark reads as a blank. 0 when the bytes name none of them.
int fullWidthInCodePage932(int lead, int trail);
int fullWidthInUtf8(int lead, int second, int third);
