#pragma once

#include "platform/Image.h"
#include "platform/View.h"
#include "runtime/gui/ObjectTable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace nevalon::gui {

class KxGadgetFunctions;

// The kinds of gadget.
enum GadgetKind : int32_t {
    GadgetButton = 1,
    GadgetString = 2,
    GadgetText = 3,
    GadgetCheckBox = 4,
    GadgetComboBox = 8,
    GadgetImage = 9,
    GadgetScrollArea = 16,
    GadgetImageButton = 19,
    GadgetDate = 21,
};

// What the toolkit keeps for one gadget.
struct GadgetRecord {
    // The view that does the work; its tag is the gadget number.
    platform::Ref<platform::View> control;
    // The outermost view, the one in the window (the control itself but for composite kinds).
    platform::Ref<platform::View> container;
    std::unique_ptr<KxGadgetFunctions> functions;
    int64_t window = -1;
    int32_t kind = 0;
    uint32_t flags = 0;

    GadgetRecord();
    ~GadgetRecord();
    GadgetRecord(GadgetRecord&&) noexcept;
    GadgetRecord(const GadgetRecord&) = delete;
    GadgetRecord& operator=(const GadgetRecord&) = delete;
    GadgetRecord& operator=(GadgetRecord&&) noexcept;
    bool IsLive() const { return static_cast<bool>(control); }
};

// The gadget table (growth step 16, free routine FreeGadget).
ObjectTable<GadgetRecord>& Gadgets();

// The operation table of a gadget kind. Every operation has a body that suits a kind without it (it does
// nothing, or answers 0 or ""), so that a kind overrides only what it does differently and any call on any
// gadget is harmless. The bodies marked "for controls" act on a control view and do nothing for others.
class KxGadgetFunctions {
public:
    virtual ~KxGadgetFunctions();
    KxGadgetFunctions() = default;
    KxGadgetFunctions(const KxGadgetFunctions&) = delete;
    KxGadgetFunctions& operator=(const KxGadgetFunctions&) = delete;

    // ---- Life (the same for every kind) ----

    // Creates the record of a new gadget under `number` (-1: a dynamic one) in the window that takes new
    // gadgets, with `functions` as its table; tags the control, makes the table its action, and gives it the
    // default gadget font. Null when the number is refused.
    static GadgetRecord* Setup(std::unique_ptr<KxGadgetFunctions> functions, int64_t number, int32_t kind,
                               platform::View* control, platform::View* container, uint32_t flags);
    // Makes `functions` the table of a live gadget, of kind `kind` from now on; the old table goes.
    static void Reuse(std::unique_ptr<KxGadgetFunctions> functions, GadgetRecord& record, int32_t kind);
    // The road of every creation call: the container takes the frame, the record is set up, `configure`
    // prepares the views, and the container goes where new gadgets go. Answers what a creation call does:
    // the control handle for a fixed number, the number for -1, 0 without a control or for a refused number.
    static int64_t Create(std::unique_ptr<KxGadgetFunctions> functions, int64_t number, int32_t kind,
                          platform::View* control, platform::View* container, uint32_t flags,
                          const platform::Rect& frame, const std::function<void()>& configure);
    // Shows a set-up gadget where new gadgets go and answers what a creation call returns: the control
    // handle for a fixed number, the number for a dynamic one.
    static int64_t Place(GadgetRecord& record, int64_t requestedNumber);

    // Moves the live record's views and table out of the table's record into one released at the next
    // FreeRetiredGadgets, since the gadget may be freed from inside its own action; returns that one. The
    // gadget posts nothing from now on.
    static GadgetRecord& Retire(GadgetRecord& record);

    int64_t GadgetID() const { return gadgetID_; }

    // ---- Events ----

    // Posts event 3 of the gadget with this type, over the gadget's window.
    virtual void SendEvent(int64_t type);
    // The control's action: type 0.
    virtual void EventHandler();
    // The gadget is going: the kind lets go of what it holds beyond the record.
    virtual void FreeGadget() {}

    // ---- Focus, visibility, geometry ----

    // Makes the gadget's window key (when it shows) and gives the control the keyboard focus.
    virtual void ActivateGadget();
    virtual void GadgetToolTip(const std::u16string& text);
    // The name screen readers announce for the gadget.
    virtual void SetGadgetAccessibleName(const std::u16string& name);
    virtual void HideGadget(bool hide);
    // For controls: enables or disables.
    virtual void DisableGadget(bool disable);
    // Mode 0: in the container; 1: on the screen; 2: in the window's content. Truncated.
    virtual int64_t GadgetX(int64_t mode);
    virtual int64_t GadgetY(int64_t mode);
    virtual int64_t GadgetWidth();
    virtual int64_t GadgetHeight();
    // Changes the given parts of the container's frame; KeepValue keeps one.
    virtual void ResizeGadget(int64_t x, int64_t y, int64_t width, int64_t height);

    // ---- Font ----

    // For controls: the font (null: the system font).
    virtual void SetGadgetFont(platform::Font* font);
    virtual platform::Font* GetGadgetFont();

    // ---- Items ----

    virtual int64_t AddGadgetItem(int64_t /*position*/, const std::u16string& /*text*/,
                                  platform::Image* /*image*/, int64_t /*flags*/)
    {
        return 0;
    }
    virtual void RemoveGadgetItem(int64_t /*item*/) {}
    virtual void ClearGadgetItems() {}
    virtual int64_t CountGadgetItems() { return 0; }

    // ---- State and text ----

    // For controls: the integer value (read as a signed 32-bit number).
    virtual void SetGadgetState(int64_t state);
    virtual int64_t GetGadgetState();
    // For controls: the string value.
    virtual void SetGadgetText(const std::u16string& text);
    virtual std::u16string GetGadgetText();
    virtual void SetGadgetItemText(int64_t /*item*/, const std::u16string& /*text*/, int64_t /*column*/) {}
    virtual std::u16string GetGadgetItemText(int64_t /*item*/, int64_t /*column*/) { return {}; }

    // ---- Attributes and colours ----

    virtual void SetGadgetAttribute(int64_t /*attribute*/, int64_t /*value*/) {}
    virtual int64_t GetGadgetAttribute(int64_t /*attribute*/) { return 0; }
    // Type 1 the text colour, 2 the background; no colour restores the kind's own.
    virtual void SetGadgetColor(int64_t /*type*/, platform::Color /*color*/) {}
    // The colour as SetGadgetColor takes it (red in the lowest byte, no alpha).
    virtual int64_t GetGadgetColor(int64_t /*type*/) { return 0; }

protected:
    GadgetRecord& Gadget() const { return *gadget_; }
    // The record's control as a control; null when it is a plain view.
    platform::Control* Control() const;
    // The colour as GetGadgetColor answers it.
    static int64_t ColorValue(uint32_t rgba) { return rgba & 0xFFFFFF; }

private:
    void Attach(GadgetRecord& record, int32_t kind);

    int64_t gadgetID_ = 0;
    GadgetRecord* gadget_ = nullptr;
    bool isNSControl_ = false;
    bool alreadyDestroyed_ = false;
};

inline platform::Rect GadgetFrame(int64_t x, int64_t y, int64_t width, int64_t height)
{
    return {double(x), double(y), double(width), double(height)};
}

// The image of a platform image handle, or null.
platform::Image* ImageFromHandle(int64_t handle);

// The font every new gadget gets; null: none, a new gadget keeps its control's own.
platform::Ref<platform::Font>& DefaultGadgetFont();

// Releases the gadgets retired since the last call (WaitEvent and the toolkit's end).
void FreeRetiredGadgets();

} // namespace nevalon::gui
