// Finding a run of bytes in a document: the first place it lies, exactly as a scan comparing at every
// offset in turn would report it, in time that stays close to linear whatever the bytes are.
#ifndef OXBYTE_DOCUMENT_BYTE_SEARCH_H
#define OXBYTE_DOCUMENT_BYTE_SEARCH_H

#include <cstdint>

// The first offset i with from ≤ i and i + length ≤ end where the needle lies in `data`, or −1. An empty
// needle lies at `from` (when from < end).
int32_t firstOccurrence(const uint8_t *data, int32_t from, int32_t end, const uint8_t *needle, int32_t length);

#endif
