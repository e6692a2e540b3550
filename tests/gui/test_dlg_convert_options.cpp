#include <gtest/gtest.h>

#include <QGroupBox>
#include <QRadioButton>
#include <functional>
#include <memory>

#include "dlg_fixture.h"
#include "dzintproperty.h"
#include "tv_daz-helpers-scene.h"

// The resolution both conversion dialogs offer, with and without the host's HD morph support.
namespace {

struct Offered {
    KvrResolution eResolution;
    int iLevel;
    bool operator==(const Offered& other) const { return eResolution == other.eResolution && iLevel == other.iLevel; }
};
void PrintTo(const Offered& offered, std::ostream* os) { *os << int(offered.eResolution) << '/' << offered.iLevel; }

// A conversion dialog, and how it reads the resolution it would convert at.
struct DialogKind {
    const char* pcszName;
    std::function<std::unique_ptr<QDialog>(DialogScene&, DzAppSettings&)> open;
    std::function<Offered(QDialog&)> offered;
};

const DialogKind aDialogKinds[] = {
    {"Convert",
     openConvertDialog,
     [](QDialog& dialog) {
         int iLevel = -1;
         const KvrResolution eResolution = static_cast<KvrConvertDialog&>(dialog).resolution(&iLevel);
         return Offered{eResolution, iLevel};
     }},
    {"Convert morphs",
     openConvertMorphsDialog,
     [](QDialog& dialog) {
         const KvrMorphBatchOptions options = static_cast<KvrConvertMorphsDialog&>(dialog).options();
         return Offered{options.eResolution, options.iSubdLevel};
     }},
};

TEST(ConversionDialogResolution, OfferedOnlyWithHdMorphSupportAndAtTheSourcesLevel)
{
    struct Case {
        bool bHdMorphs;
        bool bHighResolutionSource;  // at subdivision level 2
        Offered first;
    };
    const Case cases[] = {
        {false, true, {KvrResolution::Base, 0}},
        {true, false, {KvrResolution::Base, 0}},
        {true, true, {KvrResolution::Subd, 2}},
    };
    for (const DialogKind& kind : aDialogKinds) {
        int iHiddenMinimum = 0;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << kind.pcszName << " hd " << c.bHdMorphs << " high " << c.bHighResolutionSource);
            DzAppOptions options = TestApp::defaultOptions();
            options.hdMorphs = c.bHdMorphs;
            DialogScene scene(options);
            if (c.bHighResolutionSource) {
                ASSERT_TRUE(tav::daz::SetNodeResolution(scene.pSource, tav::daz::NodeResolution::HighResolution, true));
                tav::daz::GetSubdivisionLevelProperty(scene.pSource, true)->setValue(2);
            }
            DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
            const std::unique_ptr<QDialog> pDialog = kind.open(scene, settings);
            showActive(*pDialog);
            auto* pSubd = child<QRadioButton>(*pDialog, "pRadioResolutionSubd");
            EXPECT_EQ(child<QGroupBox>(*pDialog, "pgrpResolution")->isVisible(), c.bHdMorphs);
            EXPECT_EQ(pSubd->isVisible(), c.bHdMorphs);
            EXPECT_EQ(kind.offered(*pDialog), c.first);
            // Hidden, the group takes no room.
            if (!c.bHdMorphs)
                iHiddenMinimum = pDialog->minimumHeight();
            else
                EXPECT_GT(pDialog->minimumHeight(), iHiddenMinimum);
            if (c.first.eResolution == KvrResolution::Subd) {
                EXPECT_EQ(pSubd->text(), QStringLiteral("High resolution (subd 2)"));
                EXPECT_TRUE(pSubd->toolTip().contains(QString::fromUtf8("The \u201csubd\u201d value")));
                clickIndicator(child<QRadioButton>(*pDialog, "pRadioResolutionBase"));
                EXPECT_EQ(kind.offered(*pDialog), (Offered{KvrResolution::Base, 0}));
            }
            pDialog->reject();
        }
    }
}

} // namespace
