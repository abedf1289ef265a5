// The part of the 7-Zip plug-in binary interface that the installer uses: the class and
// interface identifiers, and the interfaces with their methods in the module's slot order.
// Only what the extraction session calls or implements is declared; the archive-level
// property methods of IInArchive are declared so that the vtable layout matches, and are
// never called.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <propidl.h>

#include <cstdint>

namespace vireo {

// {23170F69-40C1-278A-1000-000110xx0000}: format handler classes.
inline constexpr GUID kClsid7zHandler = {0x23170F69, 0x40C1, 0x278A, {0x10, 0x00, 0x00, 0x01, 0x10, 0x07, 0x00, 0x00}};
inline constexpr GUID kClsidZipHandler = {0x23170F69, 0x40C1, 0x278A, {0x10, 0x00, 0x00, 0x01, 0x10, 0x01, 0x00, 0x00}};

// {23170F69-40C1-278A-0000-00yy00zz0000}: interfaces.
inline constexpr GUID kIidInArchive = {0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, 0x06, 0x00, 0x60, 0x00, 0x00}};
inline constexpr GUID kIidArchiveOpenCallback = {0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, 0x06, 0x00, 0x10, 0x00, 0x00}};
inline constexpr GUID kIidArchiveExtractCallback = {0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, 0x06, 0x00, 0x20, 0x00, 0x00}};
inline constexpr GUID kIidCryptoGetTextPassword = {0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, 0x05, 0x00, 0x10, 0x00, 0x00}};
inline constexpr GUID kIidSequentialInStream = {0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, 0x03, 0x00, 0x01, 0x00, 0x00}};
inline constexpr GUID kIidSequentialOutStream = {0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, 0x03, 0x00, 0x02, 0x00, 0x00}};
inline constexpr GUID kIidInStream = {0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, 0x03, 0x00, 0x03, 0x00, 0x00}};
inline constexpr GUID kIidStreamGetSize = {0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, 0x03, 0x00, 0x06, 0x00, 0x00}};

// Item property ids read during extraction and when a stored member is looked up.
inline constexpr PROPID kItemPropPath = 3;
inline constexpr PROPID kItemPropIsDir = 6;
inline constexpr PROPID kItemPropSize = 7;
inline constexpr PROPID kItemPropPackedSize = 8;

// Ask-extract modes handed to GetStream; only kAskExtract asks for an output stream.
inline constexpr int32_t kAskExtract = 0;
// Operation result handed to SetOperationResult for an item that came out intact.
inline constexpr int32_t kOperationOk = 0;

// The module's "CreateObject" export.
using CreateObjectFunc = HRESULT(WINAPI*)(const GUID* clsid, const GUID* iid, void** out);

struct ISequentialInStream : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Read(void* data, UINT32 size, UINT32* processed) = 0;
};

struct IInStream : public ISequentialInStream {
  virtual HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) = 0;
};

struct IStreamGetSize : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetSize(UINT64* size) = 0;
};

struct ISequentialOutStream : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Write(const void* data, UINT32 size, UINT32* processed) = 0;
};

struct ICryptoGetTextPassword : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) = 0;
};

struct IArchiveOpenCallback : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetTotal(const UINT64* files, const UINT64* bytes) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* files, const UINT64* bytes) = 0;
};

// IProgress's two methods come first, as in the module's own hierarchy.
struct IArchiveExtractCallback : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetTotal(UINT64 total) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* completed) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStream(UINT32 index, ISequentialOutStream** out, INT32 ask_extract_mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrepareOperation(INT32 ask_extract_mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetOperationResult(INT32 operation_result) = 0;
};

struct IInArchive : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Open(IInStream* stream, const UINT64* max_check_start_position,
                                         IArchiveOpenCallback* callback) = 0;
  virtual HRESULT STDMETHODCALLTYPE Close() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNumberOfItems(UINT32* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetProperty(UINT32 index, PROPID prop_id, PROPVARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Extract(const UINT32* indices, UINT32 count, INT32 test_mode,
                                            IArchiveExtractCallback* callback) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetArchiveProperty(PROPID prop_id, PROPVARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNumberOfProperties(UINT32* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropertyInfo(UINT32 index, BSTR* name, PROPID* prop_id, VARTYPE* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNumberOfArchiveProperties(UINT32* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetArchivePropertyInfo(UINT32 index, BSTR* name, PROPID* prop_id,
                                                           VARTYPE* type) = 0;
};

}  // namespace vireo
