// kernel32: conversion between UTF-16 (resources) and UTF-8 (the stand-in's ANSI code page).
#ifndef OXBYTE_WIN32_KERNEL32_UTF16_H
#define OXBYTE_WIN32_KERNEL32_UTF16_H

#include <string>
#include <string_view>

namespace win32 {

// Unpaired surrogates and malformed UTF-8 sequences become U+FFFD, as MultiByteToWideChar and
// WideCharToMultiByte do for CP_UTF8.
std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

}  // namespace win32

#endif
