#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tv_dlg_base.h"

class DzNode;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace tav {

// A dialog with a tree of a node's property-group paths and an entry line for the chosen path.
class MorphPathDialogBase : public DialogBase {
    Q_OBJECT
public:
    explicit MorphPathDialogBase(QWidget* parent) : DialogBase(parent) {}

    void initPathWidgets(QTreeWidget* pTree, QLineEdit* pEntry);
    // Builds the tree from the node's groups and makes the item matching the parts current.
    void fillTree(DzNode* pNode, const std::vector<std::string>& parts);

    // "/Morphs/Head/Eyes" for the item Eyes under Head under Morphs.
    static QString itemPath(const QTreeWidgetItem* pItem);

protected:
    virtual void morphPropertyPathChanged(const QString& text) = 0;

    QTreeWidget* _ptwPropertyPaths = nullptr;
    QLineEdit* _pledMorphPropertyPath = nullptr;

protected slots:
    void slotTreeWidgetPathsCurrentItemChanged(QTreeWidgetItem* pCurrent, QTreeWidgetItem* pPrevious);
    void slotMorphPropertyPathTextChanged(const QString& text);
};

// Watches a morph-name entry: shortly after each keystroke it looks the name up on the figure
// and shows a warning and an overwrite box while a morph of that name exists.
class MorphNameChecker : public QObject {
    Q_OBJECT
public:
    // A description of the morph of that name on the figure, or nothing when there is none.
    using Lookup = std::function<std::optional<std::string>(DzNode* pFigure, const std::string& name)>;
    using Callback = std::function<void()>;

    struct Context {
        DzNode* pFigure = nullptr;
        std::optional<std::string> found;  // the morph found by the last check
    };

    MorphNameChecker(QLineEdit* pledMorphName, QLabel* pWarning, QCheckBox* pOverwrite,
                     DzNode* pFigure, Lookup lookup, Callback onStateChanged);

    const std::optional<std::string>& found() const { return _context.found; }
    bool overwrite() const;

public slots:
    void slotMorphNameLineEditTextChanged(const QString& text);
    void slotMorphNameLineEditTextChangedDelayed();
    void slotOverwriteExistingCheckBoxChanged(int state);

private:
    void checkName();
    void showTaken(bool taken);

    Context _context;
    Lookup _lookup;
    QLineEdit* _pledMorphName;
    QLabel* _pWarning;
    QCheckBox* _pOverwrite;
    Callback _onStateChanged;
};

} // namespace tav
