#pragma once

#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Object.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace nevalon::platform {

class Window;

// A colour as the toolkit passes it: red in the lowest byte, then green, blue and alpha. An absent colour
// means the control's own, which follows the desktop's appearance.
using Color = std::optional<uint32_t>;

// Where a control draws its title or text.
enum class TextAlignment { Left = 0, Right = 1, Centre = 2 };

// A rectangle of a window's content that draws itself ("NSView"): a control, or a container of views.
// Geometry is in points with a top-left origin, relative to the view's container. A view starts hidden from
// the desktop, in no window; it shows once added to one. Its last reference takes it off the screen.
class View : public Object {
public:
    using Object::Object;

    // The number the toolkit gave the view ("tag"); the platform only keeps it.
    int64_t Tag() const { return tag_; }
    void SetTag(int64_t tag) { tag_ = tag; }

    // Shows the view in the window's content, or inside a container view, at its frame. It leaves any place
    // it had; the window or container does not hold a reference to it.
    virtual void AddTo(Window& window) = 0;
    virtual void AddTo(View& container) = 0;
    // Takes the view out of its window or container; it stays alive, with its frame, and shows nowhere.
    virtual void RemoveFromSuperview() = 0;

    virtual Rect Frame() const = 0;
    virtual void SetFrame(const Rect& frame) = 0;
    // The top-left corner in the window's content and on the screen (the frame's origin when in no window).
    virtual Point OriginInWindow() const = 0;
    virtual Point OriginOnScreen() const = 0;

    virtual void SetHidden(bool hidden) = 0;
    // Plain text shown while the pointer rests on the view, never read as markup; "" for none.
    virtual void SetToolTip(const std::u16string& text) = 0;
    // The name screen readers announce. Views with a title or a text are named by it unless given one here.
    virtual void SetAccessibleName(const std::u16string& name) = 0;
    // Makes this view, a label, the one screen readers name `target` by ("labelled by"); for views that
    // take their name from their value, such as pop-up buttons. Nothing for views that are no label.
    virtual void LabelFor(View& target) = 0;

    // Gives the view the keyboard focus in its window; the window itself is not brought forward.
    virtual void Focus() = 0;

private:
    int64_t tag_ = 0;
};

// A view the person acts on ("NSControl"). Its action runs on the main thread, inside the platform's
// dispatch, after the person pressed, toggled or picked something; never for changes made by the program.
class Control : public View {
public:
    using View::View;

    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;

    // The font of the control's text: null gives the system font at the system size. The control holds it.
    virtual void SetFont(Font* font) = 0;
    virtual Font* GetFont() const = 0;

    // The text the control shows (a title, a label, a field's content, a chosen item) and the value it
    // holds (a state, a number, a chosen index); each kind says what they are. Plain text, never markup.
    virtual void SetStringValue(const std::u16string& text) = 0;
    virtual std::u16string StringValue() const = 0;
    virtual void SetIntegerValue(int64_t value) = 0;
    virtual int64_t IntegerValue() const = 0;

    // The colours of the control's text and of its background; a control without text of its own (an image
    // view) has only the background.
    virtual void SetTextColor(Color color) = 0;
    virtual void SetBackgroundColor(Color color) = 0;
    virtual uint32_t TextColor() const = 0;
    virtual uint32_t BackgroundColor() const = 0;

    // The caller's function runs with the control still alive; it may release the control.
    void SetAction(std::function<void()> action) { action_ = std::move(action); }

protected:
    void SendAction()
    {
        // A copy: the action may release this control, and its function with it.
        std::function<void()> action = action_;
        if (action) action();
    }

private:
    std::function<void()> action_;
};

// A new empty container view ("Kx_DateView"), one reference owned by the caller; null without a running
// application.
View* CreateContainerView();

// A view that shows part of a taller document view and scrolls it ("NSScrollView"): a vertical scroll bar
// shows while the document is taller than the view, and the wheel, the scroll bar and the keyboard focus
// moving to a view out of sight scroll it. The document is never scrolled sideways.
class ScrollView : public View {
public:
    using View::View;

    // The container that the scrolled views go in; it lives as long as the scroll view.
    virtual View& DocumentView() = 0;
    virtual void SetDocumentSize(Size size) = 0;
    virtual Size DocumentSize() const = 0;
    // The point of the document at the view's top-left corner; it stays where the document can be scrolled.
    virtual void ScrollTo(Point point) = 0;
    virtual Point ScrollPosition() const = 0;
};

// A new scroll view with an empty document, one reference owned by the caller; null without a running
// application.
ScrollView* CreateScrollView();

// Takes the keyboard focus from whatever view of the window has it.
void ClearKeyboardFocus(Window& window);

// The colour the desktop draws disabled text in.
uint32_t DisabledTextColor();

// Registers "NSView"'s control classes.
void RegisterViewClasses();

} // namespace nevalon::platform
