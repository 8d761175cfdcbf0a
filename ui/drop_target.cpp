#include "ui/drop_target.h"

#include <shellapi.h>

#include <utility>

namespace velquor {
namespace {

FORMATETC file_list_format() {
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool carries_file_list(IDataObject* data) {
    FORMATETC format = file_list_format();
    return data && data->QueryGetData(&format) == S_OK;
}

// DragQueryFileA with a buffer of the path's own length: no 260-byte limit.
std::string first_dropped_path(HDROP drop) {
    if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) == 0) return {};
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    std::string path(length + 1, '\0');
    path.resize(DragQueryFileA(drop, 0, path.data(), length + 1));
    return path;
}

}  // namespace

DropTarget::DropTarget(std::function<void(const std::string&)> on_drop)
    : on_drop_(std::move(on_drop)) {}

HRESULT DropTarget::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG DropTarget::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

DWORD DropTarget::effect_for(DWORD allowed) const {
    if (!carries_files_) return DROPEFFECT_NONE;
    if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    return allowed & DROPEFFECT_LINK;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    carries_files_ = carries_file_list(data);
    *effect = effect_for(*effect);
    return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    *effect = effect_for(*effect);
    return S_OK;
}

HRESULT DropTarget::DragLeave() {
    carries_files_ = false;
    return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    carries_files_ = carries_file_list(data);
    *effect = effect_for(*effect);
    if (*effect == DROPEFFECT_NONE) return S_OK;
    FORMATETC format = file_list_format();
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    const std::string path = first_dropped_path(static_cast<HDROP>(medium.hGlobal));
    ReleaseStgMedium(&medium);
    carries_files_ = false;
    if (!path.empty()) on_drop_(path);
    return S_OK;
}

}  // namespace velquor
