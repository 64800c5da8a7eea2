#include "runtime/gui/ScrollAreaGadget.h"

#include "platform/View.h"
#include "runtime/gui/GadgetFunctions.h"
#include "runtime/gui/GadgetList.h"

namespace nevalon::gui {
namespace {

class KxScrollAreaGadgetFunctions final : public KxGadgetFunctions {
public:
    void SetGadgetAttribute(int64_t attribute, int64_t value) override
    {
        platform::Size inner = View().DocumentSize();
        platform::Point at = View().ScrollPosition();
        switch (attribute) {
        case ScrollAreaInnerWidth:
            return View().SetDocumentSize({double(value), inner.height});
        case ScrollAreaInnerHeight:
            return View().SetDocumentSize({inner.width, double(value)});
        case ScrollAreaX:
            return View().ScrollTo({double(value), at.y});
        case ScrollAreaY:
            return View().ScrollTo({at.x, double(value)});
        default:
            return;
        }
    }
    int64_t GetGadgetAttribute(int64_t attribute) override
    {
        switch (attribute) {
        case ScrollAreaInnerWidth:
            return int64_t(View().DocumentSize().width);
        case ScrollAreaInnerHeight:
            return int64_t(View().DocumentSize().height);
        case ScrollAreaX:
            return int64_t(View().ScrollPosition().x);
        case ScrollAreaY:
            return int64_t(View().ScrollPosition().y);
        default:
            return 0;
        }
    }
    // Gadgets made from now on go into the inner area.
    void OpenGadgetList() const
    {
        if (KxGadgetList* list = KxGadgetList::CurrentList()) list->Push(&View().DocumentView());
    }

private:
    platform::ScrollView& View() const { return static_cast<platform::ScrollView&>(*Gadget().control.get()); }
};

} // namespace

int64_t CreateScrollArea(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height,
                         int64_t innerWidth, int64_t innerHeight)
{
    auto view = platform::Ref<platform::ScrollView>::Adopt(platform::CreateScrollView());
    auto functions = std::make_unique<KxScrollAreaGadgetFunctions>();
    KxScrollAreaGadgetFunctions* f = functions.get();
    const int64_t created =
        KxGadgetFunctions::Create(std::move(functions), gadget, GadgetScrollArea, view.get(), nullptr, 0,
                                  GadgetFrame(x, y, width, height), [&] {
                                      view->SetDocumentSize({double(innerWidth), double(innerHeight)});
                                  });
    if (created) f->OpenGadgetList();
    return created;
}

void CloseGadgetList()
{
    if (KxGadgetList* list = KxGadgetList::CurrentList()) list->Pop();
}

} // namespace nevalon::gui
