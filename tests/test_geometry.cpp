#include "WindowFixture.h"

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

class TestGeometry : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void theWindowComesBackAsItWasLeft()
    {
        w().show();
        const QRect moved(w().screen()->availableGeometry().topLeft() + QPoint(3, 40),
                          w().minimumSizeHint() + QSize(6, 40));
        w().setGeometry(moved);
        QVERIFY(w().close());
        f->window = std::make_unique<frmPrincipal>(f->desktop, f->locations);
        QCOMPARE(w().geometry(), moved);
    }
};

QTEST_MAIN(TestGeometry)
#include "test_geometry.moc"
