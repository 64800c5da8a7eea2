#pragma once

#include "platform/View.h"

#include <cstdint>
#include <vector>

namespace nevalon::gui {

// The container stack of one window: where its new gadgets go. The top is the window's content or a
// container view pushed on it.
class KxGadgetList {
public:
    explicit KxGadgetList(int64_t window) : topWindow_(window) {}

    int64_t Window() const { return topWindow_; }
    // The container new gadgets go into; null for the window's content.
    platform::View* Top() const { return top_.get(); }

    // Saves the top and makes the view the top; the list keeps a reference to it until it is popped.
    void Push(platform::View* view);
    // Restores the last saved top; with none saved, the window's content.
    void Pop();

    // The current list (null when no window takes new gadgets) and its window (-1: none).
    static KxGadgetList* CurrentList();
    static int64_t CurrentWindow();
    // The list of the window, or null.
    static KxGadgetList* ListFromWindow(int64_t window);
    // Makes the window's list current, creating it when missing (-1: none is current).
    static void SetWindow(int64_t window);
    // Forgets the window's list; no list is current after it if it was.
    static void RemoveWindow(int64_t window);

private:
    int64_t topWindow_;
    platform::Ref<platform::View> top_;
    std::vector<platform::Ref<platform::View>> views_;
};

} // namespace nevalon::gui
