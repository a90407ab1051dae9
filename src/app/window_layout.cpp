#include "window_layout.h"

#include "layout_rules.h"

#include <QAction>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QWidget>

namespace bidwarden {

namespace {

// Client-area geometry in twips.
constexpr QRect auctionToolbarGeometry(0, 570, 11595, 540);
constexpr QRect serviceToolbarGeometry(0, 0, 11595, 540);
constexpr int toolbarButtonWidth = 810;
constexpr QRect tabStripGeometry(0, 600, 4815, 1815);
constexpr QRect addressLabelBoxGeometry(120, 1080, 615, 255);
constexpr QRect addressLabelGeometry(0, 0, 735, 495);
constexpr QRect addressBoxGeometry(2160, 1560, 8655, 315);
constexpr QRect auctionPaneGeometry(0, 1440, 9495, 4575);
constexpr QRect servicePaneGeometry(1200, 4440, 9495, 4575);
// Where start-up moves them: both toolbars and both panes share one place.
constexpr QPoint toolbarPosition(0, 0);
constexpr QPoint panePosition(0, 1440);
constexpr QPoint addressBoxPosition(840, 1080);
constexpr QSize initialClientSize(11595, 10050);

} // namespace

WindowLayout::WindowLayout(QWidget *window, const WindowControls &controls)
    : m_window(window)
    , m_controls(controls)
{
}

int WindowLayout::px(int twips) const
{
    return twipsToPixels(twips, layoutDpi(m_window));
}

QRect WindowLayout::px(const QRect &twips) const
{
    return QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
}

void WindowLayout::placeControls()
{
    const WindowControls &c = m_controls;
    c.tabStrip->setGeometry(px(tabStripGeometry));
    // The box grows to its text's height where the font needs a pixel more;
    // the designed row leaves room above the panes.
    const QRect box = px(addressBoxGeometry);
    c.addressBox->setGeometry(box.adjusted(0, 0, 0, std::max(0, c.addressBox->sizeHint().height() - box.height())));
    c.auctionPane->setGeometry(px(auctionPaneGeometry));
    c.servicePane->setGeometry(px(servicePaneGeometry));
    placeToolbar(c.auctionToolbar, auctionToolbarGeometry);
    placeToolbar(c.serviceToolbar, serviceToolbarGeometry);
    c.addressLabelBox->setGeometry(px(addressLabelBoxGeometry));
    c.addressLabel->setGeometry(0, 0, px(addressLabelGeometry.width()), px(addressLabelGeometry.height()));
    fitAddressLabel();
}

void WindowLayout::placeToolbar(QToolBar *toolbar, const QRect &twips) const
{
    for (QAction *action : toolbar->actions()) {
        if (QWidget *button = toolbar->widgetForAction(action); button && !action->isSeparator())
            button->setMinimumWidth(px(toolbarButtonWidth));
    }
    // A caption under a picture needs a little more than the design height
    // at common font sizes; never cut the captions off.
    const QRect place = px(twips);
    toolbar->setGeometry(place.x(), place.y(), place.width(),
                         std::max(place.height(), toolbar->sizeHint().height()));
}

void WindowLayout::fitAddressLabel()
{
    // The designed box is narrower than "Address:" in most desktop fonts: it
    // grows to the label's text where it stands, and the address box starts
    // after it (its right edge stays where the layout puts it).
    QLabel *label = m_controls.addressLabel;
    QWidget *box = m_controls.addressLabelBox;
    const QSize text = label->sizeHint();
    label->resize(std::max(label->width(), text.width()), std::max(label->height(), text.height()));
    box->resize(std::max(box->width(), text.width()), std::max(box->height(), text.height()));
    const int labelEnd = box->x() + text.width() + labelGapPixels;
    m_addressBoxShift = std::max(0, labelEnd - px(addressBoxPosition.x()));
}

void WindowLayout::moveToStartPositions()
{
    const auto moveTo = [this](QWidget *w, QPoint twips) { w->move(px(twips.x()), px(twips.y())); };
    moveTo(m_controls.auctionToolbar, toolbarPosition);
    moveTo(m_controls.serviceToolbar, toolbarPosition);
    moveTo(m_controls.auctionPane, panePosition);
    moveTo(m_controls.servicePane, panePosition);
    m_controls.addressBox->move(px(addressBoxPosition.x()) + m_addressBoxShift, px(addressBoxPosition.y()));
}

void WindowLayout::placeFirstWindow(int menuBarHeight)
{
    const QSize designed(px(initialClientSize.width()), px(initialClientSize.height()) + menuBarHeight);
    // Before it is shown the frame is not known: a title bar and a border
    // as the style draws them stand in for it.
    const QRect available = m_window->screen()->availableGeometry();
    const QStyle *style = m_window->style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, m_window);
    const QSize frame(2 * border, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, m_window) + 2 * border);
    m_window->resize(firstWindowSize(designed, available.size(), frame));
    if (!available.contains(m_window->frameGeometry()))
        m_window->move(available.topLeft());
}

void WindowLayout::followWindowSize()
{
    const qreal dpi = layoutDpi(m_window);
    // The rules read the window's outer size: frame and title bar included.
    const QSize frame = m_window->frameGeometry().size() - m_window->geometry().size();
    const QSize outer = m_window->size() + frame.expandedTo(QSize(0, 0));
    const ResizedControls sizes =
            layoutForWindow(QSize(pixelsToTwips(outer.width(), dpi), pixelsToTwips(outer.height(), dpi)));

    const auto resizeControl = [this](QWidget *w, const std::optional<int> &width, const std::optional<int> &height) {
        w->resize(width ? px(*width) : w->width(), height ? px(*height) : w->height());
    };
    resizeControl(m_controls.auctionPane, sizes.webWidth, sizes.webHeight);
    resizeControl(m_controls.servicePane, sizes.serviceWebWidth, sizes.serviceWebHeight);
    resizeControl(m_controls.tabStrip, sizes.tabStripWidth, sizes.tabStripHeight);
    // Its right edge stays where the rule puts it when it starts further right.
    QWidget *box = m_controls.addressBox;
    if (sizes.addressBoxWidth && px(*sizes.addressBoxWidth) >= m_addressBoxShift)
        box->resize(px(*sizes.addressBoxWidth) - m_addressBoxShift, box->height());
}

} // namespace bidwarden
