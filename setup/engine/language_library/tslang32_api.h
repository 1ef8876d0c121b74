#pragma once
// Entry points of the optional language library TSLANG32.DLL. The library is a string
// table: at every multiple of 1000 the name of one language, followed by that
// language's catalogue texts (name + 1, name + 2, ...). The list of languages ends at
// the first multiple of 1000 without a string. Texts are UTF-8.

#ifdef __cplusplus
extern "C" {
#endif

// The interface version a loader expects; a library answering another one is refused.
#define TSLANG_INTERFACE_VERSION 1

// Names under which the loader looks the entry points up.
#define TSLANG_VERSION_SYMBOL "TsLangInterfaceVersion"
#define TSLANG_LOAD_STRING_SYMBOL "TsLangLoadString"

typedef int (*TsLangInterfaceVersionFunction)(void);

// Copies string `id` into `buffer` (at most bufferSize - 1 bytes, cut at a character
// boundary, always terminated when bufferSize > 0) and returns the number of bytes
// copied; returns 0 and leaves the buffer empty when there is no such string.
typedef int (*TsLangLoadStringFunction)(int id, char* buffer, int bufferSize);

#ifdef __cplusplus
}
#endif
