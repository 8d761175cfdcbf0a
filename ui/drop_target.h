// Receives files and folders dragged from the shell; anything else is refused.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>

namespace velquor {

class DropTarget final : public IDropTarget {
public:
    // Called with the first dropped item's full path: a target is one path,
    // never a list with line breaks.
    explicit DropTarget(std::function<void(const std::string&)> on_drop);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                   DWORD* effect) override;

private:
    ~DropTarget() = default;
    DWORD effect_for(DWORD allowed) const;

    LONG references_ = 1;
    bool carries_files_ = false;
    std::function<void(const std::string&)> on_drop_;
};

}  // namespace velquor
