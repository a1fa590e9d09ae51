// The spaced text line from which a document's barcode is printed: every character of the
// client reference, the document code and the number, spaced out, then "CR".
#include <cstdio>
#include <cstring>

#include "qarntash/practice_data/documents.h"

namespace {

constexpr std::size_t kBarcodeBufferSize = 100;
constexpr std::size_t kBarcodeReferenceLength = 10;

char g_barcode[kBarcodeBufferSize];

// Appends `text` to the barcode at `*length`, each character followed by a space when `spaced`.
// False when it would not fit with the terminator; the caller then clears the whole line. Each
// character is checked as it is written, so that no write can pass the buffer whatever the
// lengths given.
bool append(const char* text, std::size_t text_length, bool spaced, std::size_t* length) {
  auto put = [length](char c) {
    if (*length + 1 >= kBarcodeBufferSize) return false;
    g_barcode[(*length)++] = c;
    return true;
  };
  for (std::size_t i = 0; i < text_length; ++i) {
    if (!put(text[i]) || (spaced && !put(' '))) return false;
  }
  return true;
}

}  // namespace

extern "C" const char* Make_Barcode(const char* reference, int number, const char* code) {
  std::memset(g_barcode, 0, sizeof g_barcode);
  if (reference == nullptr || code == nullptr) return g_barcode;
  // strnlen reads no further than one past a reference of the right length.
  if (strnlen(reference, kBarcodeReferenceLength + 1) != kBarcodeReferenceLength) return g_barcode;

  // "%d" writes the most negative int as it is; the digits of any int fit in 12 characters.
  char digits[16];
  const int digit_count = std::snprintf(digits, sizeof digits, "%d", number);
  // A code longer than the whole buffer could never fit: stop looking for its end there.
  const std::size_t code_length = strnlen(code, kBarcodeBufferSize);

  std::size_t length = 0;
  const bool fits = append(reference, kBarcodeReferenceLength, true, &length) &&
                    append(code, code_length, false, &length) && append(" ", 1, false, &length) &&
                    append(digits, static_cast<std::size_t>(digit_count), true, &length) &&
                    append(" CR", 3, false, &length);
  if (!fits) std::memset(g_barcode, 0, sizeof g_barcode);
  return g_barcode;
}
