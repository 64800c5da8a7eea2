#pragma once

#include "platform/StatusItem.h"

#include <QPointer>
#include <QSystemTrayIcon>

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

    QSystemTrayIcon* Tray() const { return tray_; }

private:
    void Activated(QSystemTrayIcon::ActivationReason reason);

    // Owned by the application object, so that it goes with it if this item outlives it.
    QPointer<QSystemTrayIcon> tray_;
    Ref<Menu> menu_;
    std::function<void()> click_;
};

} // namespace nevalon::platform
