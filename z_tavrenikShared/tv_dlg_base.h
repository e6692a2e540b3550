#pragma once

#include <QDialog>
#include <QString>
#include <string_view>

#include "tv_prohibit_copy.h"

class DzAppSettings;
class QBoxLayout;
class QDialogButtonBox;
class QHBoxLayout;
class QPushButton;

namespace tav {

// The buttons made by DialogBase::addButtonRow; pCancel is null when the row has no Cancel.
struct ButtonRow {
    QHBoxLayout* pRow = nullptr;
    QPushButton* pOk = nullptr;
    QPushButton* pCancel = nullptr;
};

// Common base of the plug-in's dialogs: product title, standard spacing, OK/Cancel wiring, and
// a window placement remembered in the host's settings store.
class DialogBase : public QDialog, public ProhibitCopy {
    Q_OBJECT
public:
    explicit DialogBase(QWidget* parent);
    ~DialogBase() override;

    // Called once at the end of building. An empty settings path or key remembers nothing.
    void setUpWindow(const char* title, const QString& settingsPath, const QString& placementKey);
    // For message boxes: a dialog that is not closable ignores Cancel, Escape and close.
    void setWindowTitleAndClosable(const char* title, bool closable);
    void applyStandardSpacing();

    void connectButtonBox(QDialogButtonBox* pBox);
    void connectButtons(QPushButton* pOk, QPushButton* pCancel);
    // A right-aligned row: OK, then Cancel unless cancelText is empty.
    ButtonRow addButtonRow(QBoxLayout* pParentLayout, std::string_view okText,
                           std::string_view cancelText);

    // A critical box over this dialog, logged.
    void showCriticalError(std::string_view caption, std::string_view text);

    // Writes the placement; with no settings object given, a temporary one on the path.
    void savePlacement(DzAppSettings* pAppSettings = nullptr);

    bool isClosable() const { return _closable; }

public slots:
    void accept() override;
    void reject() override;

private:
    void setProductTitle(const char* title);
    void restorePlacement();

    bool _closable = true;
    QString _settingsPath;
    QString _placementKey;
};

} // namespace tav
