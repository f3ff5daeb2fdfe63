/*
 * postsift: an e-mail filter plug-in for text-to-speech engines.
 *
 * The engine loads the library (postsift.dll on Windows, postsift.so on
 * Linux), creates a filter, switches it on and hands it each message's raw
 * text; it gets back the text to read aloud.
 *
 *   void* filter = NULL;
 *   if (getObject(POSTSIFT_OBJECT_FILTER, &filter) == 1) {
 *       _zelSetFilter(0, filter);
 *       const char* spoken = NULL;
 *       _zelGetFilteredText(0, filter, message, &spoken);
 *       ... read `spoken` aloud; do not free it ...
 *       _zelDeleteFilter(0, filter);
 *   }
 *
 * Texts are NUL-terminated Windows-1252 bytes.
 *
 * Ownership of the filtered text: the pointer stored in *out belongs to the
 * filter. The engine reads it and never frees it. It stays valid until the
 * next _zelGetFilteredText on the same filter or until the filter is
 * deleted. An inactive filter stores the engine's own `text` pointer there;
 * an active one stores its own text, or NULL when the message gave nothing
 * to say.
 *
 * Threads: any thread may call; filtering runs are serialised across the
 * whole process. Do not update, switch or delete a filter while another
 * thread filters with it.
 *
 * The first argument of the filter functions is not used; pass 0.
 */
#ifndef POSTSIFT_H
#define POSTSIFT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define POSTSIFT_STDCALL __stdcall
#define POSTSIFT_CDECL __cdecl
typedef long postsiftResult; /* an HRESULT */
#else
#define POSTSIFT_STDCALL
#define POSTSIFT_CDECL
typedef int32_t postsiftResult;
#endif

#ifndef POSTSIFT_API
#if defined(_WIN32)
#define POSTSIFT_API __declspec(dllimport)
#else
#define POSTSIFT_API
#endif
#endif

/* The version of this interface and of the library that it describes.
 * The Windows DLL carries the same in its version resource, the Linux
 * library as its soname (postsift.so.MAJOR). */
#define POSTSIFT_VERSION_MAJOR 1
#define POSTSIFT_VERSION_MINOR 0
#define POSTSIFT_VERSION_PATCH 0
#define POSTSIFT_VERSION_STRING "1.0.0"

/* getObject's type codes: both create the same localised filter. */
#define POSTSIFT_OBJECT_FILTER 1
#define POSTSIFT_OBJECT_FILTER_ALT 7

/* Export ordinals of the Windows DLL (GetProcAddress(module, MAKEINTRESOURCE(n))). */
#define POSTSIFT_ORDINAL_GETOBJECT 1
#define POSTSIFT_ORDINAL_DLLREGISTERSERVER 2
#define POSTSIFT_ORDINAL_DLLUNREGISTERSERVER 3
#define POSTSIFT_ORDINAL_NEWFILTER 100
#define POSTSIFT_ORDINAL_DELETEFILTER 101
#define POSTSIFT_ORDINAL_SETFILTER 102
#define POSTSIFT_ORDINAL_DEACTIVATEFILTER 103
#define POSTSIFT_ORDINAL_GETFILTEREDTEXT 104
#define POSTSIFT_ORDINAL_UPDATEFILTER 105
#define POSTSIFT_ORDINAL_ACTIVATEFILTER 106

/* Creates a filter holding the build's built-in French or German
 * configuration and the entries of postsift.cfg beside the library.
 * type 1 or 7: stores the filter in *out. Returns 1 when *out holds a
 * filter afterwards, else 0. Set *out to NULL before the call. */
POSTSIFT_API int32_t POSTSIFT_CDECL getObject(int32_t type, void** out);

/* Publishes the library's path in the registry; S_OK (0) or E_FAIL. */
POSTSIFT_API postsiftResult POSTSIFT_STDCALL DllRegisterServer(void);
/* Removes it again; always S_OK. */
POSTSIFT_API postsiftResult POSTSIFT_STDCALL DllUnregisterServer(void);

/* A bare filter: no built-in entries, no configuration file. NULL when
 * memory is exhausted. Both arguments are ignored. */
POSTSIFT_API void* POSTSIFT_STDCALL _zelNewFilter(uint32_t unused1, uint32_t unused2);

/* Destroys a filter (NULL is allowed). Returns 0. */
POSTSIFT_API int32_t POSTSIFT_STDCALL _zelDeleteFilter(uint32_t unused, void* filter);

/* Switches filtering on (both names are the same function) or off. Return 0. */
POSTSIFT_API int32_t POSTSIFT_STDCALL _zelSetFilter(uint32_t unused, void* filter);
POSTSIFT_API int32_t POSTSIFT_STDCALL _zelActivateFilter(uint32_t unused, void* filter);
POSTSIFT_API int32_t POSTSIFT_STDCALL _zelDeactivateFilter(uint32_t unused, void* filter);

/* Filters one message; see the ownership rule above. Returns 0. */
POSTSIFT_API int32_t POSTSIFT_STDCALL _zelGetFilteredText(uint32_t unused, void* filter,
                                                          const char* text, const char** out);

/* Adds, replaces (value not NULL) or removes (value NULL) a configuration
 * entry. Returns 0 when done, 2 when refused. */
POSTSIFT_API int32_t POSTSIFT_STDCALL _zelUpdateFilter(uint32_t unused, void* filter,
                                                       const char* key, const char* value);

/* Function pointer types, for engines that resolve the exports at run time. */
typedef int32_t(POSTSIFT_CDECL* postsiftGetObjectFn)(int32_t, void**);
typedef postsiftResult(POSTSIFT_STDCALL* postsiftRegisterFn)(void);
typedef void*(POSTSIFT_STDCALL* postsiftNewFilterFn)(uint32_t, uint32_t);
typedef int32_t(POSTSIFT_STDCALL* postsiftFilterFn)(uint32_t, void*);
typedef int32_t(POSTSIFT_STDCALL* postsiftGetFilteredTextFn)(uint32_t, void*, const char*, const char**);
typedef int32_t(POSTSIFT_STDCALL* postsiftUpdateFilterFn)(uint32_t, void*, const char*, const char*);

#ifdef __cplusplus
}
#endif

#endif /* POSTSIFT_H */
