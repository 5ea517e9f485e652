// An unexpected failure inside an editor's run is reported through the error report with the
// editor's " - frmX:Edit" suffix; it never reaches the host, and the editor gives back the
// table access it took.
#include "EditorHarness.h"
#include "host/FailingStatusUi.h"

#include "data/records/ElementRecord.h"
#include "data/records/MistakeRecord.h"

namespace vel::testing {
namespace {

TEST(EditorFailure, IsReportedWithTheEditorsSuffixAndTheTableAccessIsGivenBack) {
    EditorHarness h;
    h.site.setSetting(QStringLiteral("Features"), QStringLiteral("MistakeTracking"),
                      QStringLiteral("1"));
    h.reopen();
    h.store(h.system->elements(), {withDescription<ElementRecord>(QStringLiteral("Cases"))});
    h.store(h.system->mistakes(), {withDescription<MistakeRecord>(QStringLiteral("Short"))});
    const struct {
        const char* table;
        const char* suffix;
        bool (CVelUI::*operation)(CVelUI::Handle, VelmorSystem&);
    } editors[] = {{"Element", " - frmElement:Edit", &CVelUI::EditElement},
                   {"Mistake", " - frmMistake:Edit", &CVelUI::EditMistakes},
                   {"Allocation", " - frmAllocation:Edit", &CVelUI::EditAllocation}};
    for (const auto& editor : editors) {
        FailingStatusUi failing(QStringLiteral("Loading ") + QLatin1String(editor.table) +
                                QStringLiteral(" Table"));
        ScopedUi scope(failing);
        const qsizetype before = h.system->errors().reports().size();
        EXPECT_NO_THROW((h.component.*editor.operation)(0, *h.system)) << editor.table;
        ASSERT_EQ(h.system->errors().reports().size(), before + 1) << editor.table;
        EXPECT_EQ(h.system->errors().reports().back().text,
                  QLatin1String(FailingStatusUi::failure) + QLatin1String(editor.suffix));
        const auto other = h.site.open();
        EXPECT_TRUE(other->beginTableAccess(QStringLiteral("AO"), true, false)) << editor.table;
        EXPECT_TRUE(other->beginTableAccess(QStringLiteral("A"), true, false)) << editor.table;
        other->endTableAccess();
    }
}

}  // namespace
}  // namespace vel::testing
