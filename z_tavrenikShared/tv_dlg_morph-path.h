#pragma once

#include <memory>
#include <string_view>

#include "tv_dlg_morph-base.h"

namespace Ui {
class MorphPathDialog;
}

namespace tav {

// Picks the property path of a new morph from the node's property groups, or takes a typed one.
// OK is enabled only for a valid path: "/" first, at least 6 characters.
class MorphPathDialog : public MorphPathDialogBase {
    Q_OBJECT
public:
    MorphPathDialog(QWidget* parent, DzNode* pNode, std::string_view currentPath,
                    const char* pcszPlacementKey);
    ~MorphPathDialog() override;

    QString path() const;
    // For an owner whose path is not in the tree yet.
    void setPath(const QString& path);

    static bool isValidPath(const QString& text);

protected:
    void morphPropertyPathChanged(const QString& text) override;

private:
    std::unique_ptr<Ui::MorphPathDialog> _pUi;
};

} // namespace tav
