// Internal helpers of the object registry: handle conversion, selection counting and the live
// device-context set, shared by the files that create, select and delete GDI objects.
#pragma once

#include "gdi_objects.h"

namespace platform {

// The handle of an object is its address; only the registry turns handles back into objects.
template <class Handle>
Handle ToHandle(GdiObject *object) {
    return reinterpret_cast<Handle>(object);
}

// The live object of the given type behind handle, or null for stale, foreign, deleted or
// mistyped handles.
template <class T>
T *LiveAs(const void *handle, GdiType type) {
    return IsLiveObject(handle, type) ? static_cast<T *>(LiveObject(handle)) : nullptr;
}

// Selection bookkeeping: an object deleted while selected is freed by its last deselection.
void NoteSelected(GdiObject *object);
void NoteDeselected(GdiObject *object);

// The live device-context set.
void RegisterDc(HDC dc);
void UnregisterDc(HDC dc);

}  // namespace platform
