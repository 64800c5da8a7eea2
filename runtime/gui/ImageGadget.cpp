#include "runtime/gui/ImageGadget.h"

#include "platform/Controls.h"
#include "runtime/gui/GadgetFunctions.h"

namespace nevalon::gui {
namespace {

constexpr double kBorderAllowance = 4;

class KxImageGadgetFunctions final : public KxGadgetFunctions {
public:
    // Takes the image's size; the top-left corner stays.
    void ResizeToFit()
    {
        platform::Image* image = View().GetImage();
        if (!image) return;
        double extra = Gadget().flags & ImageViewBorder ? kBorderAllowance : 0;
        platform::Rect frame = View().Frame();
        View().SetFrame({frame.x, frame.y, double(int64_t(image->PointSize().width)) + extra,
                         double(int64_t(image->PointSize().height)) + extra});
    }
    void SetGadgetState(int64_t image) override
    {
        View().SetImage(ImageFromHandle(image));
        ResizeToFit();
    }
    int64_t GetGadgetState() override
    {
        platform::Image* image = View().GetImage();
        return image ? image->Handle() : 0;
    }
    void Clicked(bool rightButton, int clicks)
    {
        if (clicks == 1) SendEvent(rightButton ? ImageViewRightClick : ImageViewLeftClick);
        if (clicks == 2) SendEvent(rightButton ? ImageViewRightDoubleClick : ImageViewLeftDoubleClick);
    }
    void FreeGadget() override { View().SetClickHandler(nullptr); }

private:
    platform::ImageView& View() const { return static_cast<platform::ImageView&>(*Gadget().control.get()); }
};

} // namespace

int64_t CreateImageView(int64_t gadget, int64_t x, int64_t y, int64_t width, int64_t height, int64_t image,
                        int64_t flags)
{
    auto view = platform::Ref<platform::ImageView>::Adopt(platform::CreateImageView());
    auto functions = std::make_unique<KxImageGadgetFunctions>();
    KxImageGadgetFunctions* f = functions.get();
    return KxGadgetFunctions::Create(std::move(functions), gadget, GadgetImage, view.get(), nullptr,
                                     uint32_t(flags), GadgetFrame(x, y, width, height), [&] {
                                         view->SetBordered(flags & ImageViewBorder);
                                         view->SetClickHandler(
                                             [f](bool right, int clicks) { f->Clicked(right, clicks); });
                                         f->SetGadgetState(image);
                                     });
}

} // namespace nevalon::gui
