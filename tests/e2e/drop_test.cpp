// Dragging onto the window: a real OLE drag from this process, which the
// system carries to the program's drop target in its own process, the way a
// drag from the shell's file window reaches it.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "ui/control_ids.h"

namespace velquor::e2e {
namespace {

// What a drag carries: a list of files as the shell puts it, or plain text.
class DraggedData final : public IDataObject {
public:
    static DraggedData* files(std::vector<std::wstring> paths) {
        return new DraggedData(CF_HDROP, std::move(paths), {});
    }
    static DraggedData* text(std::string text) {
        return new DraggedData(CF_TEXT, {}, std::move(text));
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = format_ == CF_HDROP ? file_list() : text_copy();
        medium->pUnkForRelease = nullptr;
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (!format || format->cfFormat != format_) return DV_E_FORMATETC;
        if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
        return format->dwAspect == DVASPECT_CONTENT ? S_OK : DV_E_DVASPECT;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    DraggedData(CLIPFORMAT format, std::vector<std::wstring> paths, std::string text)
        : format_(format), paths_(std::move(paths)), text_(std::move(text)) {}
    ~DraggedData() = default;

    // DROPFILES followed by the wide paths, each ended by a zero, and one
    // zero more at the end, as the shell hands them over.
    HGLOBAL file_list() const {
        std::wstring names;
        for (const std::wstring& path : paths_) names += path + L'\0';
        names += L'\0';
        const SIZE_T size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        if (!memory) return nullptr;
        auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        std::copy(names.begin(), names.end(),
                  reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES)));
        GlobalUnlock(memory);
        return memory;
    }
    HGLOBAL text_copy() const {
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text_.size() + 1);
        if (!memory) return nullptr;
        std::copy(text_.begin(), text_.end(), static_cast<char*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        return memory;
    }

    LONG references_ = 1;
    CLIPFORMAT format_;
    std::vector<std::wstring> paths_;
    std::string text_;
};

// The user's hand during the drag: it moves the pointer halfway, then over
// the drop point, lingers there a little and lets the button go.
class DraggingHand final : public IDropSource {
public:
    DraggingHand(POINT from, POINT drop_point) : from_(from), drop_point_(drop_point) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
            *object = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack of the drag.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // The usual rule of a drop source: drop when the button is up, cancel on Esc.
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        ++calls_;
        if (escape || calls_ > give_up_after_calls) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        if (calls_ == 1) {
            move_pointer({(from_.x + drop_point_.x) / 2, (from_.y + drop_point_.y) / 2});
        } else if (calls_ == 3) {
            move_pointer(drop_point_);
        } else if (calls_ == 8) {
            INPUT up{};
            up.type = INPUT_MOUSE;
            up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(1, &up, sizeof up);
        }
        return S_OK;
    }
    // The cursor that the user sees tells what a drop here would do.
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
        shown_effects_ |= effect;
        last_shown_effect_ = effect;
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
    DWORD shown_effects() const { return shown_effects_; }
    DWORD last_shown_effect() const { return last_shown_effect_; }

private:
    static constexpr int give_up_after_calls = 1000;
    POINT from_;
    POINT drop_point_;
    int calls_ = 0;
    DWORD shown_effects_ = DROPEFFECT_NONE;
    DWORD last_shown_effect_ = DROPEFFECT_NONE;
};

struct DragOutcome {
    HRESULT result = E_FAIL;
    DWORD effect = DROPEFFECT_NONE;
    bool started = false;
    // Every effect that the cursor showed during the drag, and the last one.
    DWORD shown_effects = DROPEFFECT_NONE;
    DWORD last_shown_effect = DROPEFFECT_NONE;
};

// A small window of this process beside the main window, where the user
// presses the button to pick the data up, as in any drag source.
class DragSourceWindow {
public:
    static constexpr RECT place{40, 40, 120, 120};

    DragSourceWindow(IDataObject* data, POINT drop_point) : data_(data), drop_point_(drop_point) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = "e2e drag source";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE,
                                  place.left, place.top, place.right - place.left,
                                  place.bottom - place.top, nullptr, nullptr, wc.hInstance, this);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        UpdateWindow(window_);
    }
    ~DragSourceWindow() {
        DestroyWindow(window_);
        data_->Release();
    }

    DragOutcome drag() {
        const POINT grab{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        move_pointer(grab);
        INPUT down{};
        down.type = INPUT_MOUSE;
        down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        SendInput(1, &down, sizeof down);
        // The drag runs inside the button-down message, as in any drag source.
        const ULONGLONG start = GetTickCount64();
        MSG message;
        while (!outcome_.started && GetTickCount64() - start < 10000) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            Sleep(10);
        }
        return outcome_;
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        auto* self = reinterpret_cast<DragSourceWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_LBUTTONDOWN && self && !self->outcome_.started) {
            self->outcome_.started = true;
            RECT frame{};
            GetWindowRect(window, &frame);
            DraggingHand hand({frame.left, frame.top}, self->drop_point_);
            self->outcome_.result =
                DoDragDrop(self->data_, &hand, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                           &self->outcome_.effect);
            self->outcome_.shown_effects = hand.shown_effects();
            self->outcome_.last_shown_effect = hand.last_shown_effect();
            return 0;
        }
        return DefWindowProcA(window, message, wparam, lparam);
    }

    IDataObject* data_;
    POINT drop_point_;
    HWND window_ = nullptr;
    DragOutcome outcome_;
};

std::string ansi_of(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(size - 1));
    return bytes;
}

struct DropCase {
    const char* name;
    // Made in the test folder: a name without a dot is a folder.
    std::vector<std::wstring> files;
    int over_control;
    // Text first, which must be refused, then the files along the same way.
    bool text_first;
};

void PrintTo(const DropCase& drop, std::ostream* out) { *out << drop.name; }

class Drop : public testing::TestWithParam<DropCase> {};

TEST_P(Drop, PutsTheFirstDroppedPathIntoThePathFieldAndRefusesText) {
    const DropCase& drop = GetParam();
    clear_documents_folder();
    TestFolder folder("drop");
    const int wide_size = MultiByteToWideChar(CP_ACP, 0, folder.path().c_str(), -1, nullptr, 0);
    std::wstring folder_path(static_cast<std::size_t>(wide_size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, folder.path().c_str(), -1, folder_path.data(), wide_size);
    folder_path.resize(static_cast<std::size_t>(wide_size - 1));
    std::vector<std::wstring> paths;
    for (const std::wstring& name : drop.files) {
        const std::wstring path = folder_path + L"\\" + name;
        paths.push_back(path);
        if (name.find(L'.') == std::wstring::npos)
            ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
        else
            write_file(ansi_of(path), "x");
    }
    Velquor velquor(folder);
    // The field holds something that a drop has to replace.
    click(velquor.screen_point(path_field_id, 20, 12));
    type_text(L"typed.bat");
    ASSERT_EQ(velquor.text(path_field_id), "typed.bat");

    const RECT target = velquor.client_rect_of(drop.over_control);
    POINT drop_point{(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    ClientToScreen(velquor.window(), &drop_point);

    if (drop.text_first) {
        DragSourceWindow source(DraggedData::text("C:\\jobs\\a.bat"), drop_point);
        const DragOutcome outcome = source.drag();
        ASSERT_TRUE(outcome.started) << "the button-down never reached the drag source";
        EXPECT_EQ(outcome.effect, DWORD{DROPEFFECT_NONE});
        EXPECT_EQ(outcome.shown_effects, DWORD{DROPEFFECT_NONE}) << "the window offered to take text";
        Sleep(300);
        EXPECT_EQ(velquor.text(path_field_id), "typed.bat");
    }

    DragSourceWindow source(DraggedData::files(paths), drop_point);
    const DragOutcome outcome = source.drag();
    ASSERT_TRUE(outcome.started) << "the button-down never reached the drag source";
    EXPECT_EQ(outcome.result, DRAGDROP_S_DROP);
    EXPECT_EQ(outcome.effect, DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(outcome.last_shown_effect, DWORD{DROPEFFECT_COPY});
    // A target is one path: of several, the first.
    const std::string expected = ansi_of(paths.front());
    EXPECT_TRUE(wait_until([&] { return velquor.text(path_field_id) == expected; }, 5000))
        << velquor.text(path_field_id);
    EXPECT_EQ(velquor.row_count(), 0);
    EXPECT_TRUE(velquor.running());
}

INSTANTIATE_TEST_SUITE_P(
    OntoTheWindow, Drop,
    testing::Values(
        // 计划.txt: a GBK name arrives as GBK bytes.
        DropCase{"OneFileOverTheList", {L"\u8BA1\u5212.txt"}, schedule_list_id, false},
        DropCase{"TwoFilesOverTheButton", {L"first.bat", L"second.bat"}, add_button_id, false},
        DropCase{"FolderOverThePathField", {L"jobs"}, path_field_id, false},
        DropCase{"TextOverTheListIsRefused", {L"after.bat"}, schedule_list_id, true}),
    [](const testing::TestParamInfo<DropCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velquor::e2e
