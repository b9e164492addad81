// The search text's two forms (characters, or a hexadecimal byte list such as "41 42 43") and the search.
#ifndef OXBYTE_DOCUMENT_SEARCH_H
#define OXBYTE_DOCUMENT_SEARCH_H

#include <cstdint>
#include <string>
#include <vector>

// A hexadecimal list of L bytes of text has (L + 1) / 3 groups; group k is read from byte 3k: white space
// is skipped, then at most two hexadecimal digits are taken. The separators are never looked at, so
// "41-42" reads like "41 42". A group with no digit where its reading starts gives no byte.
std::vector<uint8_t> readHexList(const std::string &text);

// The bytes searched for: the text itself in character mode, else the bytes of its hexadecimal list.
std::vector<uint8_t> searchNeedle(const std::string &text, bool asciiMode);

// Searches forward from the byte after `position` to the end, then from the start up to `position`
// (only matches lying wholly before it); `position` itself is never reported. On return `position` is
// the match's offset, or −1. An empty needle matches the first offset examined.
void findBytes(const uint8_t *data, int32_t size, bool asciiMode, const char *text, int32_t &position);

// "AB" → "41 42": one two-digit group per byte of the text.
std::string toHexList(const std::string &text);
// "41 00 42" → "AB": the list's bytes as characters; a zero byte cannot stand in a text and is left out.
std::string fromHexList(const std::string &list);

#endif
