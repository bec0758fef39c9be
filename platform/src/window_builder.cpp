// loadStartWindow: the window and its controls built from layout data, and the keyboard rules
// that Qt does not give by itself (page-local Tab order, radio arrows with wrap-around, Esc).
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QValidator>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <set>

#include "encoding.h"
#include "platform/runtime.h"
#include "platform/runtime_access.h"
#include "runtime_state.h"

namespace {

// Refuses any input by the user that would make the GBK text longer than the limit, or that
// holds a character GBK cannot encode. Program writes bypass validators.
class GbkByteLimitValidator final : public QValidator {
public:
    GbkByteLimitValidator(qsizetype limit, QObject* parent) : QValidator(parent), limit_(limit) {}

    State validate(QString& input, int&) const override {
        const qsizetype bytes = gbkByteLength(input);
        return bytes >= 0 && bytes <= limit_ ? Acceptable : Invalid;
    }

private:
    qsizetype limit_;
};

// The tab strip at the height of the layout's tabs, so that the controls placed just below it
// are not drawn over the pane's edge.
class TabStripStyle final : public QProxyStyle {
public:
    explicit TabStripStyle(int tabHeight) : QProxyStyle(), tabHeight_(tabHeight) {}

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_TabBarTab) {
            result.setHeight(std::min(result.height(), tabHeight_));
        }
        return result;
    }

private:
    int tabHeight_;
};

// Key and mouse rules of the start window, installed on the application so that it sees a key
// before the focused widget does.
class WindowInputFilter final : public QObject {
public:
    explicit WindowInputFilter(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                return keyPress(watched, static_cast<QKeyEvent*>(event));
            case QEvent::MouseButtonRelease:
                leftButtonRelease(watched, static_cast<QMouseEvent*>(event));
                return false;  // the box still gets its release
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                showSelectionOnlyWithFocus(watched, event->type() == QEvent::FocusIn);
                return false;
            case QEvent::Expose:
                correctFrameOnce(watched);
                return false;
            default:
                return false;
        }
    }

private:
    static LiveControl* controlOf(QObject* object) {
        for (LiveControl& control : runtime.start.controls) {
            if (control.widget == object) {
                return &control;
            }
        }
        return nullptr;
    }

    static bool inStartWindow(QObject* object) {
        QWidget* window = runtime.start.window.get();
        auto* widget = qobject_cast<QWidget*>(object);
        return window && widget && (widget == window || window->isAncestorOf(widget));
    }

    static bool keyPress(QObject* watched, QKeyEvent* key) {
        if (!inStartWindow(watched)) {
            return false;
        }
        const Qt::KeyboardModifiers chords =
            Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & chords)) {
            moveTabFocus(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        LiveControl* control = controlOf(watched);
        if (control && control->entry->kind == ControlKind::radioButton &&
            !(key->modifiers() & chords)) {
            switch (key->key()) {
                case Qt::Key_Right:
                case Qt::Key_Down:
                    moveRadioCheck(*control, +1);
                    return true;
                case Qt::Key_Left:
                case Qt::Key_Up:
                    moveRadioCheck(*control, -1);
                    return true;
                default:
                    break;
            }
        }
        return false;
    }

    static void leftButtonRelease(QObject* watched, QMouseEvent* mouse) {
        if (mouse->button() != Qt::LeftButton) {
            return;
        }
        LiveControl* control = controlOf(watched);
        if (!control || !control->onLeftButtonRelease) {
            return;
        }
        std::uint32_t flags = 0;
        if (mouse->modifiers() & Qt::ControlModifier)
            flags |= keyCtrl;
        if (mouse->modifiers() & Qt::ShiftModifier)
            flags |= keyShift;
        if (mouse->modifiers() & Qt::AltModifier)
            flags |= keyAlt;
        const QPoint at = mouse->position().toPoint();
        deliverRelease(control->onLeftButtonRelease, at.x(), at.y(), flags);
    }

    // An edit box shows its selection only while it has the focus.
    static void showSelectionOnlyWithFocus(QObject* watched, bool focused) {
        LiveControl* control = controlOf(watched);
        if (!control || control->entry->kind != ControlKind::editBox) {
            return;
        }
        QPalette palette = control->widget->palette();
        const QPalette standard = QApplication::palette();
        palette.setColor(QPalette::Highlight,
                         focused ? standard.color(QPalette::Active, QPalette::Highlight)
                                 : palette.color(QPalette::Base));
        palette.setColor(QPalette::HighlightedText,
                         focused ? standard.color(QPalette::Active, QPalette::HighlightedText)
                                 : palette.color(QPalette::Text));
        control->widget->setPalette(palette);
    }

    // A window manager's frame is known only once the window is mapped: then the frame, not the
    // client area, is made the layout's outer size, at the centred position.
    static void correctFrameOnce(QObject* watched) {
        StartWindow& start = runtime.start;
        QWidget* window = start.window.get();
        if (start.frameCorrected || !window || watched != window->windowHandle() ||
            !window->windowHandle()->isExposed()) {
            return;
        }
        start.frameCorrected = true;
        const WindowSettings& settings = start.layout->window;
        const QSize frame = window->frameGeometry().size();
        const QSize client = window->size();
        if (frame == QSize(settings.width, settings.height)) {
            return;
        }
        const QSize margins = frame - client;
        window->setFixedSize(settings.width - margins.width(), settings.height - margins.height());
        const QRect screen = window->screen()->geometry();
        window->move(screen.x() + (screen.width() - settings.width) / 2,
                     screen.y() + (screen.height() - settings.height) / 2);
    }
};

QColor toQColor(std::uint32_t rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

// An image among the program's resources. The program's own images are raw pixels: "RGBA", the
// width and the height as little-endian 16-bit numbers, then the rows from the top, four bytes
// R, G, B, A per pixel. They are read without Qt's image reader, which looks through and loads
// every image-format plugin before it reads even a PNG. Any other resource is read as an image
// file of any format that Qt knows.
QImage resourceImage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QImage();
    }
    const QByteArray bytes = file.readAll();
    constexpr qsizetype headerBytes = 8;
    const auto byteAt = [&](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
    if (bytes.size() < headerBytes || !bytes.startsWith("RGBA")) {
        return QImage::fromData(bytes);
    }
    const int width = byteAt(4) | byteAt(5) << 8;
    const int height = byteAt(6) | byteAt(7) << 8;
    const qsizetype rowBytes = qsizetype{width} * 4;
    if (width == 0 || height == 0 || bytes.size() != headerBytes + rowBytes * height) {
        return QImage();
    }
    QImage image(width, height, QImage::Format_RGBA8888);
    for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), bytes.constData() + headerBytes + rowBytes * y,
                    static_cast<std::size_t>(rowBytes));
    }
    return image;
}

// The face that a layout face is drawn in: the first installed one of its stand-ins, or the
// face itself when it is installed or none is. A font that names an installed face is found at
// once; one that names a missing face makes the font database sort every installed font for each
// script that the font is asked for, a good part of the start-up.
QString installedFace(const QString& face) {
    std::vector<FaceStandIn>& standIns = runtime.faceStandIns;
    const auto entry = std::find_if(standIns.begin(), standIns.end(), [&](const FaceStandIn& e) {
        return e.face.compare(face, Qt::CaseInsensitive) == 0;
    });
    if (entry == standIns.end()) {
        return face;
    }
    if (entry->installed.isEmpty()) {
        const QStringList families = QFontDatabase::families();
        const auto isInstalled = [&](const QString& name) {
            return families.contains(name, Qt::CaseInsensitive);
        };
        const auto first =
            std::find_if(entry->candidates.begin(), entry->candidates.end(), isInstalled);
        entry->installed = isInstalled(face) || first == entry->candidates.end() ? face : *first;
    }
    return entry->installed;
}

QFont toQFont(const FontSpec& entry) {
    if (entry.face.empty()) {
        return QApplication::font();
    }
    QFont font(installedFace(decodeGbk(entry.face)));
    font.setPixelSize(entry.pixelHeight);
    font.setWeight(static_cast<QFont::Weight>(entry.weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void applyColours(QWidget* widget, const ControlSpec& entry) {
    QPalette palette = widget->palette();
    const bool editBox = entry.kind == ControlKind::editBox;
    if (!entry.textColour.platformStandard) {
        const QColor text = toQColor(entry.textColour.rgb);
        palette.setColor(editBox ? QPalette::Text : QPalette::WindowText, text);
        if (entry.kind == ControlKind::radioButton) {
            palette.setColor(QPalette::ButtonText, text);
        }
    }
    if (!entry.backgroundColour.platformStandard) {
        palette.setColor(editBox ? QPalette::Base : QPalette::Window,
                         toQColor(entry.backgroundColour.rgb));
    }
    widget->setPalette(palette);
}

// A caption broken onto several lines where it does not fit the button's width.
QString wrapCaption(const QString& caption, const QFont& font, int width) {
    const QStyle* style = QApplication::style();
    const int available = width - 2 * (style->pixelMetric(QStyle::PM_ButtonMargin) / 2 +
                                       style->pixelMetric(QStyle::PM_DefaultFrameWidth));
    const QFontMetrics metrics(font);
    QString wrapped;
    QString line;
    for (const QChar character : caption) {
        if (!line.isEmpty() && metrics.horizontalAdvance(line + character) > available) {
            wrapped += line + u'\n';
            line.clear();
        }
        line += character;
    }
    return wrapped + line;
}

// Sets the layout's font on a control, once. A control gets it when its page is first shown:
// setting a font on a line edit or a text box lays its text out at once, which loads the face
// at that size, and the pages hidden at start-up need not pay for that before the first frame.
// A button gets its font when it is made, since its caption is wrapped by it.
void applyFont(LiveControl& control) {
    if (!control.fontSet) {
        control.widget->setFont(toQFont(control.entry->font));
        control.fontSet = true;
    }
}

QWidget* createWidget(const ControlSpec& entry, QWidget* parent, LiveControl& live) {
    const QString text = decodeGbk(entry.text);
    switch (entry.kind) {
        case ControlKind::tabControl: {
            auto* tabs = new QTabWidget(parent);
            for (const std::string_view caption : entry.settings.pageCaptions) {
                tabs->addTab(new QWidget(), decodeGbk(caption));
            }
            tabs->setFocusPolicy(Qt::NoFocus);
            // Not a Tab stop; a click on a tab gives it the focus for the arrow keys.
            tabs->tabBar()->setFocusPolicy(Qt::ClickFocus);
            if (entry.settings.tabHeight > 0) {
                auto* style = new TabStripStyle(entry.settings.tabHeight);
                style->setParent(tabs);
                tabs->tabBar()->setStyle(style);
            }
            runtime.start.tabs = tabs;
            return tabs;
        }
        case ControlKind::editBox: {
            if (entry.settings.multiLine) {
                auto* box = new QPlainTextEdit(parent);
                box->setTabChangesFocus(true);
                box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
                box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                box->setVerticalScrollBarPolicy(entry.settings.verticalScrollBar
                                                    ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
                box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                box->setFrameStyle(entry.settings.border == EditBorder::flatLine
                                       ? QFrame::Box | QFrame::Plain
                                       : QFrame::StyledPanel | QFrame::Sunken);
                box->setLineWidth(1);
                box->document()->setUndoRedoEnabled(true);
                box->setPlainText(decodeBoxText(entry.text));
                live.box = box;
                setBoxBytes(live.boxBytes, entry.text);
                return box;
            }
            auto* line = new QLineEdit(parent);
            if (entry.settings.byteLimit > 0) {
                line->setValidator(new GbkByteLimitValidator(entry.settings.byteLimit, line));
            }
            line->setFrame(true);
            line->setText(text);
            live.line = line;
            return line;
        }
        case ControlKind::button: {
            auto* button = new QPushButton(parent);
            live.widget = button;
            applyFont(live);
            button->setText(wrapCaption(text, button->font(), entry.width));
            button->setAutoDefault(true);  // Enter on a focused button presses it
            button->setDefault(entry.settings.defaultButtonLook);
            live.button = button;
            return button;
        }
        case ControlKind::radioButton: {
            auto* radio = new QRadioButton(text, parent);
            radio->setAutoExclusive(false);  // grouped per page below
            live.button = radio;
            return radio;
        }
        case ControlKind::label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setText(entry.settings.wrapLines ? decodeBoxText(entry.text) : text);
            label->setWordWrap(entry.settings.wrapLines);
            label->setAlignment(entry.settings.wrapLines ? Qt::AlignLeft | Qt::AlignTop
                                                         : Qt::AlignLeft | Qt::AlignVCenter);
            label->setFocusPolicy(Qt::NoFocus);
            return label;
        }
    }
    fatalError("unknown control kind");
}

Qt::FocusPolicy focusPolicyOf(const ControlSpec& entry) {
    if (entry.kind == ControlKind::label || entry.kind == ControlKind::tabControl) {
        return Qt::NoFocus;
    }
    // Tab is handled by the window's own order; every focusable control takes clicks.
    return entry.tabStop ? Qt::StrongFocus : Qt::ClickFocus;
}

void bindEvents(const ControlSpec& entry, LiveControl& live) {
    for (const EventBinding& binding : entry.events) {
        const bool isRelease = binding.event == EventKind::leftButtonRelease;
        if ((isRelease && !binding.releaseHandler) || (!isRelease && !binding.handler)) {
            fatalError("a layout binding names no handler");
        }
        switch (binding.event) {
            case EventKind::click:
                live.onClick = binding.handler;
                break;
            case EventKind::textChange:
                live.onTextChange = binding.handler;
                break;
            case EventKind::leftButtonRelease:
                live.onLeftButtonRelease = binding.releaseHandler;
                break;
            case EventKind::windowCreated:
                fatalError("window created is an event of the window");
        }
    }
}

// A click checks the radio and unchecks every other radio of its group, also when program
// writes had left several of them checked (an exclusive group only unchecks the one it tracks).
void checkOnlyThisRadio(LiveControl& clicked) {
    QButtonGroup* group = clicked.button->group();
    if (!group) {
        clicked.button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* radio : group->buttons()) {
        radio->setChecked(radio == clicked.button);
    }
    group->setExclusive(true);
}

void connectSignals(LiveControl& live) {
    const ControlNumber number = live.entry->number;
    if (live.button) {
        QObject::connect(live.button, &QAbstractButton::clicked, [number] {
            LiveControl& control = liveControl(number);
            if (control.entry->kind == ControlKind::radioButton) {
                checkOnlyThisRadio(control);
            }
            deliver(control.onClick);
        });
    }
    if (live.line) {
        // Program writes block the box's signals and deliver the event themselves.
        QObject::connect(live.line, &QLineEdit::textChanged,
                         [number] { deliver(liveControl(number).onTextChange); });
    }
    if (live.box) {
        QObject::connect(live.box->document(), &QTextDocument::contentsChange,
                         [number](int, int, int) {
                             LiveControl& control = liveControl(number);
                             if (control.writing == 0) {
                                 control.boxBytesValid = false;
                             }
                         });
        QObject::connect(live.box, &QPlainTextEdit::textChanged, [number] {
            LiveControl& control = liveControl(number);
            if (control.writing == 0) {
                deliver(control.onTextChange);
            }
        });
    }
}

// The layout cannot be built if numbers repeat, a parent is missing or a page does not exist.
void checkLayout(const WindowLayout& layout) {
    std::set<ControlNumber> numbers;
    for (const ControlSpec& entry : layout.controls) {
        if (entry.number == noParent || !numbers.insert(entry.number).second) {
            fatalError("the start window's control numbers are not unique");
        }
    }
    for (const ControlSpec& entry : layout.controls) {
        if (entry.parent == noParent) {
            continue;
        }
        const auto parent =
            std::find_if(layout.controls.begin(), layout.controls.end(),
                         [&](const ControlSpec& p) { return p.number == entry.parent; });
        if (parent == layout.controls.end() || parent->kind != ControlKind::tabControl ||
            entry.page < 1 ||
            static_cast<std::size_t>(entry.page) > parent->settings.pageCaptions.size()) {
            fatalError("a control of the start window has no page to sit on");
        }
    }
    for (const EventBinding& binding : layout.window.events) {
        if (binding.event != EventKind::windowCreated || !binding.handler) {
            fatalError("the start window's own bindings are not window-created handlers");
        }
    }
}

}  // namespace

void loadStartWindow(const WindowLayout& layout) {
    checkLayout(layout);
    if (runtime.start.window) {
        destroyStartWindow();
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        fatalError("no screen to open the start window on");
    }
    StartWindow& start = runtime.start;
    start.layout = &layout;
    const WindowSettings& settings = layout.window;

    // 1. The window, centred, with its outer size; the frame is corrected once it is mapped.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (settings.systemMenu)
        flags |= Qt::WindowSystemMenuHint;
    if (settings.closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (settings.minimiseButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (settings.maximiseButton)
        flags |= Qt::WindowMaximizeButtonHint;
    if (settings.alwaysOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    start.window = std::make_unique<QWidget>(nullptr, flags);
    QWidget* window = start.window.get();
    window->setAttribute(Qt::WA_QuitOnClose, true);
    window->setWindowTitle(decodeGbk(settings.title));
    window->setFont(toQFont(settings.font));
    if (!settings.iconResource.empty()) {
        const QImage icon = resourceImage(QStringLiteral(":/") + decodeGbk(settings.iconResource));
        window->setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    }
    if (settings.resizable) {
        window->resize(settings.width, settings.height);
    } else {
        window->setFixedSize(settings.width, settings.height);
    }
    const QRect area = screen->geometry();
    window->move(area.x() + (area.width() - settings.width) / 2,
                 area.y() + (area.height() - settings.height) / 2);
    if (settings.escapeCloses) {
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        escape->setContext(Qt::WindowShortcut);
        QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
    }

    // 2. The controls, from the last list position to the first; the tab control comes first.
    start.controls.clear();
    start.controls.resize(layout.controls.size());
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        start.controls[i].entry = &layout.controls[i];
    }
    for (std::size_t i = layout.controls.size(); i-- > 0;) {
        const ControlSpec& entry = layout.controls[i];
        LiveControl& live = start.controls[i];
        QWidget* parent = entry.parent == noParent ? window : liveControl(entry.parent).widget;
        live.widget = createWidget(entry, parent, live);
        live.widget->setObjectName(decodeGbk(entry.name));
        if (entry.parent == noParent) {
            applyFont(live);
        }
        applyColours(live.widget, entry);
        live.widget->setGeometry(entry.left, entry.top, entry.width, entry.height);
        live.widget->setEnabled(!entry.disabled);
        live.widget->setFocusPolicy(focusPolicyOf(entry));
        live.widget->setCursor(Qt::ArrowCursor);
        if (live.box || live.line) {
            live.widget->unsetCursor();
        }
        bindEvents(entry, live);
        if (entry.kind == ControlKind::radioButton) {
            const auto page = static_cast<std::size_t>(entry.page);
            if (start.radioGroups.size() <= page) {
                start.radioGroups.resize(page + 1, nullptr);
            }
            if (!start.radioGroups[page]) {
                start.radioGroups[page] = new QButtonGroup(window);
            }
            start.radioGroups[page]->addButton(live.button);
        }
        connectSignals(live);
    }

    // 3. Stacking: a control lies above every later one of the same parent.
    for (std::size_t i = layout.controls.size(); i-- > 0;) {
        start.controls[i].widget->raise();
    }

    // 4. Only the current page's controls are shown.
    auto* input = new WindowInputFilter(window);
    start.keyboard = input;
    qApp->installEventFilter(input);
    if (start.tabs) {
        QObject::connect(start.tabs, &QTabWidget::currentChanged, [](int index) {
            showPage(index + 1);
            focusFirstControlOfPage(index + 1);
        });
    }
    showPage(1);

    // 5. The window exists with all its controls: window created.
    for (const EventBinding& binding : settings.events) {
        deliver(binding.handler);
    }

    // 6. Shown and focused.
    window->show();
    window->windowHandle()->installEventFilter(input);
    window->activateWindow();
    focusFirstControlOfPage(1);
}

void showPage(int page) {
    for (LiveControl& control : runtime.start.controls) {
        if (control.entry->parent != noParent) {
            if (control.entry->page == page) {
                applyFont(control);
            }
            control.widget->setVisible(control.entry->visible && control.entry->page == page);
        }
    }
}

bool canTakeFocus(const LiveControl& control) {
    return control.widget->focusPolicy() != Qt::NoFocus && control.widget->isEnabled() &&
           control.entry->visible && control.entry->parent != noParent;
}

// The first control of the page in page (list) order that is enabled and takes the focus. A page
// without one leaves the focus on the tab strip, where the arrow keys switch pages.
void focusFirstControlOfPage(int page) {
    for (LiveControl& control : runtime.start.controls) {
        if (control.entry->page == page && control.entry->parent != noParent &&
            canTakeFocus(control)) {
            control.widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (runtime.start.tabs) {
        runtime.start.tabs->tabBar()->setFocus(Qt::OtherFocusReason);
    }
}

// Tab and Shift+Tab: the current page's shown, enabled tab stops in creation order, wrapping.
void moveTabFocus(bool forward) {
    StartWindow& start = runtime.start;
    const int page = start.tabs ? start.tabs->currentIndex() + 1 : 1;
    std::vector<LiveControl*> stops;
    for (std::size_t i = start.controls.size(); i-- > 0;) {
        LiveControl& control = start.controls[i];
        if (control.entry->page == page && control.entry->tabStop && canTakeFocus(control)) {
            stops.push_back(&control);
        }
    }
    if (stops.empty()) {
        return;
    }
    QWidget* focused = QApplication::focusWidget();
    const auto at = std::find_if(stops.begin(), stops.end(),
                                 [&](const LiveControl* c) { return c->widget == focused; });
    LiveControl* next = nullptr;
    if (at == stops.end()) {
        next = forward ? stops.front() : stops.back();
    } else {
        const auto index = static_cast<std::size_t>(at - stops.begin());
        next = stops[(index + (forward ? 1 : stops.size() - 1)) % stops.size()];
    }
    next->widget->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

// Arrow keys on a radio: the check moves to the next (step +1) or previous (-1) enabled radio of
// the page's group in creation order, wrapping; it takes the focus and fires its click.
void moveRadioCheck(LiveControl& from, int step) {
    std::vector<LiveControl*> group;
    for (std::size_t i = runtime.start.controls.size(); i-- > 0;) {
        LiveControl& control = runtime.start.controls[i];
        if (control.entry->kind == ControlKind::radioButton &&
            control.entry->page == from.entry->page) {
            group.push_back(&control);
        }
    }
    const auto at = std::find(group.begin(), group.end(), &from);
    if (at == group.end()) {
        return;
    }
    const std::size_t size = group.size();
    const auto index = static_cast<std::size_t>(at - group.begin());
    for (std::size_t distance = 1; distance <= size; ++distance) {
        const std::size_t offset = step > 0 ? distance : size - distance % size;
        LiveControl* candidate = group[(index + offset) % size];
        if (candidate->widget->isEnabled()) {
            candidate->widget->setFocus(Qt::OtherFocusReason);
            candidate->button->click();
            return;
        }
    }
}

void destroyStartWindow() {
    StartWindow& start = runtime.start;
    if (start.keyboard) {
        qApp->removeEventFilter(start.keyboard);
    }
    start.controls.clear();
    start.radioGroups.clear();
    start.tabs = nullptr;
    start.keyboard = nullptr;
    start.window.reset();
    start.layout = nullptr;
    start.frameCorrected = false;
}

QWidget* startWindowWidget() { return runtime.start.window.get(); }

QWidget* controlWidget(ControlNumber control) { return liveControl(control).widget; }

int currentPage() { return runtime.start.tabs ? runtime.start.tabs->currentIndex() + 1 : 1; }
