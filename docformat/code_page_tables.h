#pragma once
// Built-in tables for the single-byte code pages met in RTF files, so that decoding them does not
// depend on which converters the Qt build carries. Windows-1252 lives in cp1252.h.

namespace zx {

// 128 characters for bytes 0x80-0xFF, or nullptr when the code page has no built-in table.
const char16_t *builtinCodePageTable(int codePage);

} // namespace zx
