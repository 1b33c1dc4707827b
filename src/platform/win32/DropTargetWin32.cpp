// The OLE drop target of a frame window: it counts the dragged items and passes the drag on.
#include "platform/Window.h"
#include "platform/win32/Win32Common.h"
#include "platform/win32/Win32Testing.h"

#include <ole2.h>
#include <shellapi.h>

#include <map>

namespace platform {

using namespace win32;

namespace {

class DropTarget final : public IDropTarget {
public:
    explicit DropTarget(WindowEvents* owner) : events(owner) {}
    virtual ~DropTarget() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
            *out = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++count); }
    ULONG STDMETHODCALLTYPE Release() override {
        if (--count <= 0) {
            delete this;
            return 0;
        }
        return ULONG(count);
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        const bool followed = data && events && events->dragEnter(countItems(data));
        if (effect) *effect = followed ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        if (events && events->dragOver() && effect) *effect = DROPEFFECT_MOVE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (events) events->dragLeave();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        // A drop that no view took is not a completed move: the source must keep its data.
        const bool taken = events && events->drop();
        if (effect) *effect = taken ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
        return S_OK;
    }

    void detach() { events = nullptr; }

private:
    static int countItems(IDataObject* data) {
        FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        if (SUCCEEDED(data->GetData(&format, &medium))) {
            ReleaseStgMedium(&medium);
            return 1;
        }
        format.cfFormat = CF_HDROP;
        if (SUCCEEDED(data->GetData(&format, &medium))) {
            const int files =
                int(DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0xFFFFFFFF, nullptr, 0));
            ReleaseStgMedium(&medium);
            return files;
        }
        return 0;
    }

    long count = 0;
    WindowEvents* events;
};

std::map<HWND, DropTarget*>& registered() {
    static std::map<HWND, DropTarget*> targets;
    return targets;
}

} // namespace

bool registerDropTarget(Window w, WindowEvents* events) {
    if (!w) return false;
    auto* target = new DropTarget(events);
    target->AddRef(); // our hold while registering
    const HRESULT result = RegisterDragDrop(hwnd(w), target);
    if (SUCCEEDED(result)) registered()[hwnd(w)] = target;
    target->Release(); // OLE keeps its own reference when the registration took
    return SUCCEEDED(result);
}

void revokeDropTarget(Window w) {
    if (!w) return;
    auto found = registered().find(hwnd(w));
    if (found != registered().end()) {
        found->second->detach(); // a drag still running must not reach the frame any more
        registered().erase(found);
    }
    RevokeDragDrop(hwnd(w));
}

void* win32::registeredDropTarget(void* window) {
    auto found = registered().find(static_cast<HWND>(window));
    return found == registered().end() ? nullptr : static_cast<IDropTarget*>(found->second);
}

} // namespace platform
