#include "runtime/gui/GadgetList.h"

#include "runtime/gui/WindowRecord.h"

#include <algorithm>
#include <memory>

namespace nevalon::gui {
namespace {

std::vector<std::unique_ptr<KxGadgetList>>& Lists()
{
    // Never destroyed, like the object tables: windows may still close while the process exits.
    static auto* lists = new std::vector<std::unique_ptr<KxGadgetList>>();
    return *lists;
}

KxGadgetList* current = nullptr;

} // namespace

void KxGadgetList::Push(platform::View* view)
{
    views_.push_back(std::move(top_));
    top_ = platform::Ref<platform::View>(view);
}

void KxGadgetList::Pop()
{
    if (views_.empty()) {
        top_ = {};
        return;
    }
    top_ = std::move(views_.back());
    views_.pop_back();
}

KxGadgetList* KxGadgetList::CurrentList()
{
    return current;
}

int64_t KxGadgetList::CurrentWindow()
{
    return current ? current->Window() : -1;
}

KxGadgetList* KxGadgetList::ListFromWindow(int64_t window)
{
    for (const auto& list : Lists())
        if (list->Window() == window) return list.get();
    return nullptr;
}

void KxGadgetList::SetWindow(int64_t window)
{
    if (window == -1) {
        current = nullptr;
        return;
    }
    KxGadgetList* list = ListFromWindow(window);
    if (!list) {
        Lists().push_back(std::make_unique<KxGadgetList>(window));
        list = Lists().back().get();
    }
    current = list;
}

void KxGadgetList::RemoveWindow(int64_t window)
{
    KxGadgetList* list = ListFromWindow(window);
    if (!list) return;
    if (current == list) current = nullptr;
    std::erase_if(Lists(), [list](const auto& l) { return l.get() == list; });
}

} // namespace nevalon::gui
