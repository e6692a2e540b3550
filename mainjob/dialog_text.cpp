#include "dialog_text.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <algorithm>
#include <vector>

namespace {

struct Piece {
    QRect rect;  // in the dialog's coordinates
    QString text;
};

// The widget's text and whether its children are read too; a null text for widgets that
// show none of their own.
QString pieceText(QWidget* pWidget, bool* pbReadChildren)
{
    *pbReadChildren = false;
    if (auto* pBox = qobject_cast<QGroupBox*>(pWidget)) {
        *pbReadChildren = true;
        return pBox->title();
    }
    if (auto* pCheck = qobject_cast<QCheckBox*>(pWidget))
        return (pCheck->isChecked() ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + pCheck->text();
    if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget))
        return pButton->text().isEmpty() ? QString() : QLatin1Char('[') + pButton->text().remove(QLatin1Char('&')) + QLatin1Char(']');
    if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
        return plainText(pLabel->text());
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget))
        return QLatin1Char('<') + pEdit->text() + QLatin1Char('>');
    if (auto* pList = qobject_cast<QComboBox*>(pWidget))
        return QLatin1Char('<') + pList->currentText() + QLatin1Char('>');
    if (auto* pSpin = qobject_cast<QAbstractSpinBox*>(pWidget))
        return QLatin1Char('<') + pSpin->text() + QLatin1Char('>');
    *pbReadChildren = true;
    return QString();
}

void collect(QWidget* pDialog, QWidget* pParent, std::vector<Piece>* pPieces)
{
    for (QWidget* pWidget : pParent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!pWidget->isVisibleTo(pDialog))
            continue;
        bool bReadChildren = false;
        const QString text = pieceText(pWidget, &bReadChildren);
        if (!text.isEmpty()) {
            QRect rect(pWidget->mapTo(pDialog, QPoint(0, 0)), pWidget->size());
            if (qobject_cast<QGroupBox*>(pWidget))  // a box's title is a line of its own at its top
                rect.setHeight(pWidget->fontMetrics().height());
            pPieces->push_back({rect, text});
        }
        if (bReadChildren)
            collect(pDialog, pWidget, pPieces);
    }
}

} // namespace

QString plainText(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text.trimmed();
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText().trimmed();
}

QStringList dialogAsText(QWidget* pDialog)
{
    std::vector<Piece> pieces;
    collect(pDialog, pDialog, &pieces);
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.rect.top() < b.rect.top(); });

    QStringList lines{pDialog->windowTitle()};
    size_t i = 0;
    while (i < pieces.size()) {
        // A line: the pieces whose middle lies within the height of the line's first piece.
        const QRect first = pieces[i].rect;
        std::vector<Piece> line;
        for (; i < pieces.size() && pieces[i].rect.center().y() <= first.bottom(); ++i)
            line.push_back(pieces[i]);
        std::stable_sort(line.begin(), line.end(),
                         [](const Piece& a, const Piece& b) { return a.rect.left() < b.rect.left(); });
        QStringList texts;
        for (const Piece& piece : line)
            texts << piece.text;
        lines << texts.join(QStringLiteral("  ")).split(QLatin1Char('\n'));
    }
    return lines;
}
