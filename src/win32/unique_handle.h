// Owning wrappers for Win32 handles. Each kind of handle has its own "empty"
// value: CreateFileW and SetupDiGetClassDevsW fail with INVALID_HANDLE_VALUE,
// CreateEventW and CreateThread with NULL. One type per sentinel makes mixing
// them up (the classic leak or double close) a compile error rather than a bug.
#pragma once

#include <utility>

#include "win32/hid_api.h"

namespace kv12::win32 {

// Owns one resource described by Traits:
//   using Type = ...;             the raw handle type
//   static Type Invalid();        the value that means "nothing owned"
//   static void Close(Type);      releases a value that is not Invalid()
// Move-only; the moved-from object is empty.
template <typename Traits>
class UniqueResource {
  public:
    using Type = typename Traits::Type;

    UniqueResource() = default;
    // Takes ownership of value (which may be the invalid value, e.g. a failed call's result).
    explicit UniqueResource(Type value) : value_(value) {}
    ~UniqueResource() { Reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    // The owned value, still owned; Invalid() when empty.
    Type Get() const { return value_; }
    // True when a resource is owned.
    bool IsValid() const { return value_ != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }

    // Closes the owned resource (if any) and takes value instead.
    void Reset(Type value = Traits::Invalid()) {
        const Type old = std::exchange(value_, value);
        if (old != Traits::Invalid() && old != value) Traits::Close(old);
    }
    // Gives up ownership without closing; the caller now owns the value.
    [[nodiscard]] Type Release() { return std::exchange(value_, Traits::Invalid()); }

  private:
    Type value_ = Traits::Invalid();
};

// File and device handles from CreateFileW: INVALID_HANDLE_VALUE is empty.
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { ::CloseHandle(value); }
};
using UniqueFile = UniqueResource<FileHandleTraits>;

// Events, mutexes, threads and other kernel objects whose creators return NULL on failure.
struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { ::CloseHandle(value); }
};
using UniqueHandle = UniqueResource<KernelHandleTraits>;

// A device information set from SetupDiGetClassDevsW (INVALID_HANDLE_VALUE on failure).
struct DeviceInfoSetTraits {
    using Type = HDEVINFO;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { ::SetupDiDestroyDeviceInfoList(value); }
};
using UniqueDeviceInfoSet = UniqueResource<DeviceInfoSetTraits>;

// A HID collection's preparsed data from HidD_GetPreparsedData (NULL when absent).
struct PreparsedDataTraits {
    using Type = PHIDP_PREPARSED_DATA;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { ::HidD_FreePreparsedData(value); }
};
using UniquePreparsedData = UniqueResource<PreparsedDataTraits>;

// A library from LoadLibraryW (NULL on failure), freed with FreeLibrary.
struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { ::FreeLibrary(value); }
};
using UniqueModule = UniqueResource<ModuleTraits>;

}  // namespace kv12::win32
