// The reference the benchmarks measure the program against: a bare Qt tray application.
//   bare_tray           a tray icon; a click shows (or hides) a window built half a second after start
//                       with the widgets of the list window with 8 events: labels, buttons, drawn badges
//   bare_tray --build   offscreen: builds those widgets once more after a first build and exits; under
//                       callgrind only that second build is counted
//   bare_tray --soak    as the program does (bench/soak): builds the window at every opening and deletes it
//                       at every closing, and builds a shown one anew on SIGUSR1, the program's minute
// Escape closes the window.
// With NEVALON_PAINT_LOG set, the window prints "painted TITLE MICROSECONDS" on stderr after its first
// frame, as the program does.
#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace {

constexpr int kWidth = 460;
constexpr int kRows = 8;
constexpr int kHeight = 780; // the list window's height for 8 rows

class Window : public QWidget {
protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) close();
        QWidget::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        if (logged_ || !qEnvironmentVariableIsSet("NEVALON_PAINT_LOG")) return;
        logged_ = true;
        QTimer::singleShot(0, this, [this] {
            using namespace std::chrono;
            const auto now = duration_cast<microseconds>(system_clock::now().time_since_epoch());
            std::fprintf(stderr, "painted %s %lld\n", qUtf8Printable(windowTitle()),
                         static_cast<long long>(now.count()));
        });
    }

private:
    bool logged_ = false;
};

QPixmap Badge(const QString& name, QColor colour)
{
    QImage image(80, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(0, 0, 80, 24), 4, 4);
    QFont font;
    font.setPointSize(12);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, name);
    painter.end();
    return QPixmap::fromImage(image);
}

QIcon Symbol(QColor colour)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.drawEllipse(2, 2, 16, 16);
    return QIcon(pixmap);
}

QWidget* BuildWindow()
{
    static const char* const categories[] = {"Anniversary", "Birthday", "Graduation", "Holiday",
                                             "Meeting",     "Other",    "Vacation",   "Birthday"};
    static const QColor colours[] = {{250, 100, 100}, {100, 200, 100}, {255, 137, 0},  {239, 37, 66},
                                     {215, 131, 255}, {172, 172, 172}, {50, 150, 250}, {100, 200, 100}};
    auto* window = new Window;
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setWindowTitle("bare_tray");
    window->setFixedSize(kWidth, kHeight);
    QFont titleFont;
    titleFont.setPointSize(24);
    titleFont.setBold(true);
    QPalette ink = window->palette();
    ink.setColor(QPalette::WindowText, QColor(32, 96, 192));
    QFont countdownFont;
    countdownFont.setPointSize(18);
    for (int i = 0; i < kRows; ++i) {
        const int top = 10 + 90 * i;
        auto* title = new QLabel(QString("Event number %1").arg(i + 1), window);
        title->setGeometry(10, top, 340, 28);
        title->setFont(titleFont);
        title->setPalette(ink);
        title->setToolTip(QString("Event Date: 2027-01-%1 at 9:30 AM\nRecurrence: None").arg(i + 10));
        auto* countdown = new QLabel(QString("%1 days, 4 hours, 30 minutes").arg(10 * i + 3), window);
        countdown->setGeometry(10, top + 30, 340, 22);
        countdown->setFont(countdownFont);
        countdown->setPalette(ink);
        (new QPushButton("Edit", window))->setGeometry(354, top + 10, 50, 40);
        auto* badge = new QLabel(window);
        badge->setPixmap(Badge(categories[i], colours[i]));
        badge->setGeometry(10, top + 56, 80, 24);
        auto* trash = new QToolButton(window);
        trash->setIcon(Symbol(Qt::darkGray));
        trash->setGeometry(410, top + 10, 36, 40);
    }
    (new QPushButton("Add Countdown Event", window))->setGeometry(10, kHeight - 50, 180, 40);
    auto* settings = new QToolButton(window);
    settings->setIcon(Symbol(Qt::gray));
    settings->setGeometry(410, kHeight - 50, 40, 40);
    return window;
}

int BuildTwice(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    delete BuildWindow();
    CALLGRIND_START_INSTRUMENTATION;
    QWidget* window = BuildWindow();
    window->show();
    CALLGRIND_STOP_INSTRUMENTATION;
    delete window;
    return 0;
}

// Calls `rebuild` on the main thread at every SIGUSR1.
void RebuildOnSignal(QApplication& app, std::function<void()> rebuild)
{
    static int pipe[2] = {-1, -1};
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pipe) != 0) return;
    auto* notifier = new QSocketNotifier(pipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, [rebuild = std::move(rebuild)] {
        char byte;
        if (read(pipe[0], &byte, 1) == 1) rebuild();
    });
    std::signal(SIGUSR1, [](int) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = write(pipe[1], &byte, 1);
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--build") == 0) return BuildTwice(argc, argv);
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(pixmap)};
    const bool soak = argc > 1 && std::strcmp(argv[1], "--soak") == 0;
    // Built once the icon is up, as the program does its own preparation, and long before a click.
    QPointer<QWidget> window;
    if (!soak) QTimer::singleShot(500, [&window] { window = BuildWindow(); });
    const auto show = [&window] {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const int x = std::clamp(QCursor::pos().x() - kWidth / 2, screen.left(), screen.right() + 1 - kWidth);
        window->move(x, screen.top());
        window->show();
        window->activateWindow();
    };
    QObject::connect(&icon, &QSystemTrayIcon::activated, [&](QSystemTrayIcon::ActivationReason reason) {
        if (reason != QSystemTrayIcon::Trigger) return;
        if (window && window->isVisible()) return void(window->close());
        if (soak && !window) {
            window = BuildWindow();
            window->setAttribute(Qt::WA_DeleteOnClose);
        }
        if (window) show();
    });
    if (soak)
        RebuildOnSignal(app, [&window] {
            if (!window || !window->isVisible()) return;
            QWidget* shown = BuildWindow();
            shown->setAttribute(Qt::WA_DeleteOnClose);
            shown->move(window->pos());
            delete window;
            window = shown;
            window->show();
            window->activateWindow();
        });
    icon.show();
    std::signal(SIGTERM, [](int) { std::_Exit(0); });
    return app.exec();
}
