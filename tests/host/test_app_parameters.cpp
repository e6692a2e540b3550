#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTreeWidget>

#include "dzcontentmgr.h"
#include "dzfloatproperty.h"
#include "dzfloatslider.h"
#include "dzmainwindow.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzpanemgr.h"
#include "dzparameterspane.h"
#include "dzscene.h"
#include "test_app.h"

// The Parameters pane as a user meets it in the window of the default size, with the sample
// scene: the selected figure's dials at once, each readable in full.
namespace {

const QString kLongName = "Genesis 8.1 Female converted to G9 Head";

struct SampleWindow : TestApp {
    SampleWindow()
    {
        app()->startup();
        DzContentMgr* content = app()->getContentMgr();
        EXPECT_TRUE(content->openFile(content->getAbsolutePath("Scenes/Sample Conversion.duf"), false));
        window()->resize(1280, 800);
        window()->show();
        pane = qobject_cast<DzParametersPane*>(window()->getPaneMgr()->findPane("DzParametersPane"));
        // A converted morph: the longest dial name a user meets.
        auto* morph = new DzMorph(kLongName);
        morph->getValueControl()->setPath("Morphs/Kelvaro");
        node("Genesis 9")->getObject()->addModifier(morph);
        longDial = morph->getValueControl();
    }
    DzMainWindow* window() const { return app()->getInterface(); }
    static DzNode* node(const QString& label) { return dzScene->findNodeByLabel(label); }
    QStringList shownLabels(DzNode* figure) const
    {
        QStringList labels;
        for (int i = 0; i < figure->getNumProperties(); ++i)
            if (!figure->getProperty(i)->isHidden() && pane->dialFor(figure->getProperty(i)))
                labels << figure->getProperty(i)->getLabel();
        return labels;
    }

    DzParametersPane* pane = nullptr;
    DzFloatProperty* longDial = nullptr;
};

} // namespace

TEST(ParametersPane, ASelectedFigureShowsItsDialsAtOnce)
{
    SampleWindow w;
    ASSERT_NE(w.pane, nullptr);
    DzNode* source = w.node("Genesis 8.1 Female");
    dzScene->setPrimarySelection(source);
    EXPECT_EQ(w.pane->groupTree()->currentItem()->text(0), "All");
    // Whose dials these are, under the name the figure has now.
    const QLabel* name = w.pane->findChild<QLabel*>("NodeName");
    EXPECT_EQ(name->text(), "<b>Genesis 8.1 Female</b>");
    source->setLabel("Source & Co");
    EXPECT_EQ(name->text(), "<b>Source &amp; Co</b>");
    // Every group's dials: the transforms and the figure's morphs, without choosing a group.
    EXPECT_TRUE(w.shownLabels(source).contains("XTranslate"));
    int cMorphDials = 0;
    for (DzModifier* modifier : source->getObject()->modifierList())
        if (auto* morph = qobject_cast<DzMorph*>(modifier))
            cMorphDials += !morph->getValueControl()->isHidden() && w.pane->dialFor(morph->getValueControl());
    EXPECT_GE(cMorphDials, 4);

    // A group the next figure has too stays chosen; one it lacks gives way to All.
    w.pane->setCurrentGroupPath("Transforms/Rotation");
    dzScene->setPrimarySelection(w.node("Genesis 9"));
    EXPECT_EQ(w.pane->getCurrentGroupPath(), "Transforms/Rotation");
    EXPECT_EQ(w.shownLabels(w.node("Genesis 9")), QStringList({"XRotate", "YRotate", "ZRotate"}));
    w.pane->setCurrentGroupPath("Morphs/Kelvaro");
    dzScene->setPrimarySelection(source);
    EXPECT_EQ(w.pane->groupTree()->currentItem()->text(0), "All");
    EXPECT_TRUE(w.shownLabels(source).contains("XTranslate"));
}

TEST(ParametersPane, ALongDialNameIsReadInFullBesideItsBarAndValue)
{
    SampleWindow w;
    w.pane->jumpToProperty(w.longDial);
    QCoreApplication::processEvents();  // lays the new dials out, as the next paint would
    auto* dial = qobject_cast<DzFloatSlider*>(w.pane->dialFor(w.longDial));
    ASSERT_NE(dial, nullptr);
    auto* scroll = w.pane->findChild<QScrollArea*>();
    const QRect viewport(scroll->viewport()->mapTo(w.window(), QPoint()), scroll->viewport()->size());
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    auto inWindow = [&](const QWidget* widget) {
        return QRect(widget->mapTo(w.window(), QPoint()), widget->size());
    };
    const auto* name = dial->findChild<QLabel*>("plblName");
    const auto* bar = dial->findChild<QSlider*>("pBar");
    const auto* value = dial->findChild<QLineEdit*>("pledValue");
    EXPECT_EQ(name->text(), kLongName);
    // The whole name: on one line, or wrapped into lines the label has the height for; and the
    // label within the pane.
    const bool bOneLine = name->fontMetrics().horizontalAdvance(kLongName) <= name->contentsRect().width();
    EXPECT_TRUE(bOneLine || (name->wordWrap() && name->height() >= name->heightForWidth(name->width())));
    EXPECT_TRUE(viewport.contains(inWindow(name)));
    EXPECT_GE(bar->width(), 150);
    EXPECT_TRUE(viewport.contains(inWindow(value)));
    EXPECT_GE(value->width(), value->fontMetrics().horizontalAdvance("-100.00"));
}

// A job adds morphs to the selected figure many times before the window gets control back; the
// dials follow once it has, added and removed alike, without anyone asking the pane.
TEST(ParametersPane, MorphsAddedAndRemovedInOneRunShowWhenControlIsBack)
{
    SampleWindow w;
    DzNode* target = w.node("Genesis 9");
    dzScene->setPrimarySelection(target);
    QCoreApplication::processEvents();
    auto shownDials = [&] {
        QStringList labels;
        for (const DzFloatSlider* dial : w.pane->findChildren<DzFloatSlider*>())
            labels << dial->getLabel();
        return labels;
    };
    std::vector<DzMorph*> added;
    for (const char* name : {"Run Morph 1", "Run Morph 2", "Run Morph 3"}) {
        added.push_back(new DzMorph(name));
        target->getObject()->addModifier(added.back());
    }
    target->getObject()->removeModifier(added.front());
    delete added.front();
    QCoreApplication::processEvents();
    const QStringList shown = shownDials();
    EXPECT_FALSE(shown.contains("Run Morph 1"));
    EXPECT_TRUE(shown.contains("Run Morph 2"));
    EXPECT_TRUE(shown.contains("Run Morph 3"));
    EXPECT_TRUE(shown.contains(kLongName));
}
