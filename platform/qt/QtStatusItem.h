#pragma once

#include "platform/StatusItem.h"

#include <QImage>
#include <QPointer>
#include <QSystemTrayIcon>
#include <string>

namespace nevalon::platform {

class QtStatusItem final : public StatusItem {
public:
    QtStatusItem();
    ~QtStatusItem() override;
    QtStatusItem(const QtStatusItem&) = delete;
    QtStatusItem& operator=(const QtStatusItem&) = delete;

    void SetImage(const Image& image) override;
    void SetToolTip(const std::u16string& text) override;
    void SetClickHandler(std::function<void()> handler) override { click_ = std::move(handler); }
    void SetMenu(Menu* menu) override;
    std::optional<Rect> ScreenFrame() const override;

    QSystemTrayIcon* Tray() const { return tray_; }

    // Draws the symbol each item shows anew, as its picture now is in the icon theme and the appearance.
    static void RedrawSymbols();

private:
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void Show(const Image& image);

    // Owned by the application object, so that it goes with it if this item outlives it.
    QPointer<QSystemTrayIcon> tray_;
    Ref<Menu> menu_;
    std::function<void()> click_;
    std::string symbol_;
    QImage shown_;
};

} // namespace nevalon::platform
