#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <set>

class QTimer;
class QWidget;

namespace tav {

// A top-level window as the dismisser sees it: ordered by object name, then title.
struct ToplevelWindow {
    QString objectName;
    QString title;
    QWidget* pWidget = nullptr;
};

using ToplevelWindowPtr = std::shared_ptr<ToplevelWindow>;

struct ToplevelWindowLess {
    bool operator()(const ToplevelWindowPtr& a, const ToplevelWindowPtr& b) const;
};

// Every titled top-level window of the application, keyed by name and title.
using ToplevelWindowSet = std::set<ToplevelWindowPtr, ToplevelWindowLess>;
ToplevelWindowSet SnapshotToplevelWindows();

// While it lives, closes or answers the host's known blocking dialogs (missing files, file
// errors, duplicate formulas, preset limits, D-Former load options) that open after it was
// made. Make it right before a host call that may open them and destroy it right after.
class Clickaway : public QObject {
    Q_OBJECT
public:
    // `bFirstButton`: press the first (true) or the second of the two "Preset Exceeds Limits"
    // buttons.
    explicit Clickaway(bool bFirstButton);
    ~Clickaway() override;
    Clickaway(const Clickaway&) = delete;
    Clickaway& operator=(const Clickaway&) = delete;

public slots:
    void slotTimeout();

private:
    struct TimerRecord;

    bool _bFirstButton;
    std::unique_ptr<TimerRecord> _pTimer;
};

} // namespace tav
