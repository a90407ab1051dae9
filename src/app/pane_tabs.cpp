#include "pane_tabs.h"

#include "browser_pane.h"
#include "command_toolbar.h"
#include "commands.h"
#include "icons.h"
#include "sound_mark_look.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

namespace bidwarden {

PaneTabs::PaneTabs(QWidget *client, const PaneFactory &makePane, const Commands &commands)
    : QObject(client)
{
    createPanes(client, makePane, commands);
    connectCommands(commands);
    connect(m_tabStrip, &QTabBar::currentChanged, this, &PaneTabs::show);
    for (BrowserPane *pane : { m_auctionPane, m_servicePane }) {
        connect(pane, &BrowserPane::loadStarted, this, &PaneTabs::reportFrontLoading);
        connect(pane, &BrowserPane::loadFinished, this, &PaneTabs::reportFrontLoading);
    }
    connect(m_auctionPane, &BrowserPane::soundChanged, this, [this] { updateSoundMark(AuctionTab); });
    connect(m_servicePane, &BrowserPane::soundChanged, this, [this] { updateSoundMark(ServiceTab); });
    m_tabStrip->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tabStrip, &QWidget::customContextMenuRequested, this, &PaneTabs::offerTabMenu);
    // The engine draws a page in a widget of its own inside the pane, which
    // takes every mouse press, so the side buttons never reach the window's
    // own handlers; the application's filter sees them first.
    qApp->installEventFilter(this);
}

void PaneTabs::createPanes(QWidget *client, const PaneFactory &makePane, const Commands &commands)
{
    m_tabStrip = new QTabBar(client);
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setDrawBase(true);
    m_tabStrip->setExpanding(false);
    m_tabStrip->addTab(tr("Bidwarden"));
    m_tabStrip->addTab(tr("Auction Browser"));
    updateServiceMark();
    m_tabStrip->setAccessibleName(tr("Panes"));

    m_auctionPane = makePane(client);
    m_auctionPane->setObjectName(QStringLiteral("Web"));
    m_auctionPane->setAccessibleName(tr("Auction pane"));
    m_auctionToolbar = createCommandToolbar(client, "Toolbar1", tr("Auction toolbar"), commands.auctionToolbar());
    m_serviceToolbar = createCommandToolbar(client, "Toolbar2", tr("Service toolbar"), commands.serviceToolbar());
    m_servicePane = makePane(client);
    m_servicePane->setObjectName(QStringLiteral("Web2"));
    m_servicePane->setAccessibleName(tr("Bidwarden service pane"));
}

void PaneTabs::connectCommands(const Commands &c)
{
    // The toolbar of a pane is shown only with that pane's tab, so the pane in
    // front is the pane of the toolbar a button belongs to.
    connect(c.back, &QAction::triggered, this, [this] { front()->goBack(); });
    connect(c.forward, &QAction::triggered, this, [this] { front()->goForward(); });
    connect(c.stop, &QAction::triggered, this, [this] { front()->stop(); });
    connect(c.stopLoading, &QAction::triggered, this, [this] { front()->stop(); });
    connect(c.print, &QAction::triggered, this, [this] { front()->print(m_tabStrip->window()); });
    connect(c.savePageAs, &QAction::triggered, this, [this] { front()->savePageAs(); });
    connect(c.zoomIn, &QAction::triggered, this, [this] { front()->zoomIn(); });
    connect(c.zoomOut, &QAction::triggered, this, [this] { front()->zoomOut(); });
    connect(c.zoomReset, &QAction::triggered, this, [this] { front()->resetZoom(); });
    connect(c.find, &QAction::triggered, this, [this] { front()->showFindBar(); });
    connect(c.findNext, &QAction::triggered, this, [this] { front()->findAgain(false); });
    connect(c.findPrevious, &QAction::triggered, this, [this] { front()->findAgain(true); });
    // With two tabs, the next and the previous are the other one.
    const auto other = [this] { select(current() == ServiceTab ? AuctionTab : ServiceTab); };
    connect(c.nextTab, &QAction::triggered, this, other);
    connect(c.previousTab, &QAction::triggered, this, other);
    // Esc stops a load; otherwise the key is the page's (or the box's).
    connect(this, &PaneTabs::frontLoadingChanged, c.stopLoading, &QAction::setEnabled);
}

PaneTabs::Tab PaneTabs::current() const
{
    return Tab(m_tabStrip->currentIndex());
}

void PaneTabs::select(Tab tab)
{
    m_tabStrip->setCurrentIndex(tab);
}

BrowserPane *PaneTabs::front() const
{
    return current() == ServiceTab ? m_servicePane : m_auctionPane;
}

void PaneTabs::showWithAuctionTab(const QList<QWidget *> &widgets)
{
    m_auctionTabWidgets = widgets;
    for (QWidget *widget : widgets)
        widget->setVisible(current() != ServiceTab);
}

void PaneTabs::show(int index)
{
    if (index != ServiceTab && index != AuctionTab)
        return;
    const bool service = index == ServiceTab;
    m_serviceToolbar->setVisible(service);
    m_servicePane->setVisible(service);
    m_auctionPane->setVisible(!service);
    m_auctionToolbar->setVisible(!service);
    for (QWidget *widget : std::as_const(m_auctionTabWidgets))
        widget->setVisible(!service);
    if (service && std::exchange(m_unseenAnswer, false))
        updateServiceMark();
    reportFrontLoading();
    Q_EMIT currentChanged(Tab(index));
}

void PaneTabs::setWaitingSnipes(int count)
{
    m_waitingSnipes = count;
    updateServiceMark();
}

void PaneTabs::markServiceAnswered()
{
    if (current() == ServiceTab)
        return;
    m_unseenAnswer = true;
    updateServiceMark();
}

void PaneTabs::updateServiceMark()
{
    const QString usual = tr("Click here to go to the Bidwarden service");
    if (m_waitingSnipes > 0) {
        m_tabStrip->setTabIcon(ServiceTab, bundledIcon("waiting"));
        const QString waiting = m_waitingSnipes == 1
                ? tr("1 snipe is not sent yet: the service cannot be reached or has not answered.")
                : tr("%1 snipes are not sent yet: the service cannot be reached or has not answered.")
                          .arg(m_waitingSnipes);
        m_tabStrip->setTabToolTip(ServiceTab, waiting + QLatin1Char(' ') + tr("They go as soon as it answers."));
    } else if (m_unseenAnswer) {
        m_tabStrip->setTabIcon(ServiceTab, bundledIcon("answered"));
        m_tabStrip->setTabToolTip(ServiceTab, tr("The service has answered a snipe sent while you were away.")
                                                      + QLatin1Char(' ') + usual);
    } else {
        m_tabStrip->setTabIcon(ServiceTab, QIcon());
        m_tabStrip->setTabToolTip(ServiceTab, usual);
    }
}

BrowserPane *PaneTabs::paneOf(Tab tab) const
{
    return tab == ServiceTab ? m_servicePane : m_auctionPane;
}

void PaneTabs::updateSoundMark(Tab tab)
{
    BrowserPane *pane = paneOf(tab);
    auto *mark = qobject_cast<QToolButton *>(m_tabStrip->tabButton(tab, QTabBar::RightSide));
    const SoundMarkLook look = soundMarkLook(pane->isAudible(), pane->isAudioMuted());
    if (!look.shown) {
        if (mark) {
            m_tabStrip->setTabButton(tab, QTabBar::RightSide, nullptr);
            mark->deleteLater();
        }
        return;
    }
    if (!mark) {
        mark = new QToolButton(m_tabStrip);
        mark->setObjectName(tab == ServiceTab ? QStringLiteral("serviceSoundMark") : QStringLiteral("auctionSoundMark"));
        mark->setAutoRaise(true);
        mark->setIconSize(QSize(16, 16));
        mark->setFocusPolicy(Qt::NoFocus);
        connect(mark, &QToolButton::clicked, pane, [pane] { pane->setAudioMuted(!pane->isAudioMuted()); });
        m_tabStrip->setTabButton(tab, QTabBar::RightSide, mark);
    }
    mark->setIcon(bundledIcon(look.muted ? "muted" : "sound"));
    mark->setToolTip(look.toolTip);
    mark->setAccessibleName(look.action);
}

void PaneTabs::offerTabMenu(const QPoint &at)
{
    const int index = m_tabStrip->tabAt(at);
    if (index != ServiceTab && index != AuctionTab)
        return;
    BrowserPane *pane = paneOf(Tab(index));
    auto *menu = new QMenu(m_tabStrip);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *mute = menu->addAction(pane->isAudioMuted() ? tr("Un&mute tab") : tr("&Mute tab"));
    mute->setObjectName(QStringLiteral("muteTab"));
    connect(mute, &QAction::triggered, pane, [pane] { pane->setAudioMuted(!pane->isAudioMuted()); });
    menu->popup(m_tabStrip->mapToGlobal(at));
}

void PaneTabs::reportFrontLoading()
{
    Q_EMIT frontLoadingChanged(front()->isLoading());
}

bool PaneTabs::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == m_tabStrip->window()) {
        const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
        if (button == Qt::BackButton || button == Qt::ForwardButton) {
            button == Qt::BackButton ? front()->goBack() : front()->goForward();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace bidwarden
