// user32: the text rules of the edit control — whole UTF-8 characters, words, limits and letter case.
#ifndef OXBYTE_WIN32_USER32_EDIT_TEXT_H
#define OXBYTE_WIN32_USER32_EDIT_TEXT_H

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace win32::edit {

// Positions are byte offsets into UTF-8 text. A boundary is an offset where a character starts, or the
// end; a byte that starts no valid character is a character of its own.
// nextBoundary and previousBoundary step from a boundary to the neighbouring one.
size_t nextBoundary(std::string_view text, size_t pos);
size_t previousBoundary(std::string_view text, size_t pos);
// The boundary at or before `pos` (positions past the end give the end).
size_t snapToBoundary(std::string_view text, size_t pos);

// Ctrl+Left and Ctrl+Right: the start of the word before `pos`, and the start of the word after it.
size_t wordStartBefore(std::string_view text, size_t pos);
size_t wordStartAfter(std::string_view text, size_t pos);
// The word (or run of blanks) under `pos`, for a double click.
void wordAround(std::string_view text, size_t pos, size_t &begin, size_t &end);

// How many bytes of `insert` are whole characters that together take at most `room` bytes.
size_t prefixWithinBytes(std::string_view insert, size_t room);
// How many bytes of `insert` are whole characters that together are at most `room` pixels wide.
size_t prefixWithinWidth(std::string_view insert, int room);

// ES_UPPERCASE and ES_LOWERCASE turn the letters of inserted text to one case.
void applyCase(std::string &text, DWORD style);
// A single-line box takes a pasted text up to its first line break.
std::string_view firstLine(std::string_view text);

// Typed text arrives one byte per WM_CHAR; the bytes of one character are collected before it is inserted.
class CharacterAssembler {
 public:
  // Returns true when `byte` completes a character, which is then in `character`.
  bool add(unsigned char byte, std::string &character);
  void reset() { pending_.clear(); }

 private:
  std::string pending_;
  size_t expected_ = 0;
};

}  // namespace win32::edit

#endif
