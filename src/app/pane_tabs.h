#pragma once

#include <QList>
#include <QObject>

#include <functional>

QT_BEGIN_NAMESPACE
class QTabBar;
class QToolBar;
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

class BrowserPane;
struct Commands;

// Makes one browser pane as a child of the given widget.
using PaneFactory = std::function<BrowserPane *(QWidget *parent)>;

// The tab strip and the two panes it brings to the front, each with its
// toolbar: the commands of the toolbars, the menu and the browser keys act
// on the pane in front, and its loading state is told as it changes.
class PaneTabs : public QObject
{
    Q_OBJECT

public:
    // The tabs of the tab strip, in order.
    enum Tab { ServiceTab = 0, AuctionTab = 1 };

    // The controls are made as children of `client`, unplaced.
    PaneTabs(QWidget *client, const PaneFactory &makePane, const Commands &commands);

    BrowserPane *auctionPane() const { return m_auctionPane; }
    BrowserPane *servicePane() const { return m_servicePane; }
    QTabBar *tabStrip() const { return m_tabStrip; }
    QToolBar *auctionToolbar() const { return m_auctionToolbar; }
    QToolBar *serviceToolbar() const { return m_serviceToolbar; }

    Tab current() const;
    // From code, exactly as a click on the tab: selecting the tab in front
    // changes nothing.
    void select(Tab tab);
    BrowserPane *front() const;
    // Widgets shown with the auction tab only (the address row).
    void showWithAuctionTab(const QList<QWidget *> &widgets);

    // The service tab's mark, its caption unchanged: snipes not sent yet
    // (their count in its tooltip), or else an answer of the service that
    // came while the tab was behind, until the tab is shown.
    void setWaitingSnipes(int count);
    void markServiceAnswered();

Q_SIGNALS:
    void currentChanged(bidwarden::PaneTabs::Tab tab);
    // Whether the pane in front is loading, whenever that may have changed.
    void frontLoadingChanged(bool loading);

protected:
    // The mouse's back and forward buttons, anywhere in the window.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPanes(QWidget *client, const PaneFactory &makePane, const Commands &commands);
    void connectCommands(const Commands &commands);
    void show(int index);
    void reportFrontLoading();
    void updateServiceMark();
    BrowserPane *paneOf(Tab tab) const;
    // The speaker on a tab whose pane plays sound (or is muted); a click
    // mutes it, or lets it be heard again.
    void updateSoundMark(Tab tab);
    void offerTabMenu(const QPoint &at);

    QTabBar *m_tabStrip = nullptr;
    BrowserPane *m_auctionPane = nullptr;
    BrowserPane *m_servicePane = nullptr;
    QToolBar *m_auctionToolbar = nullptr;
    QToolBar *m_serviceToolbar = nullptr;
    QList<QWidget *> m_auctionTabWidgets;
    int m_waitingSnipes = 0;
    bool m_unseenAnswer = false;
};

} // namespace bidwarden
