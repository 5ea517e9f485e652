// The allocations' accounts in the master file: how many exist, adding them, and that every
// system object reads the file afresh.
#include "HostTestSupport.h"

#include <QFile>

namespace vel::testing {
namespace {

TEST(AllocationAccounts, AreAddedUpToANumberAndReadAfreshByEverySystemObject) {
    TestSite site;
    auto system = site.open();
    auto other = site.open();
    EXPECT_EQ(system->allocationAccounts(), 0) << "a new system has no accounts";

    EXPECT_TRUE(system->addAllocationAccount(5));
    EXPECT_EQ(system->allocationAccounts(), 5);
    EXPECT_EQ(other->allocationAccounts(), 5) << "another workstation sees the new accounts";
    EXPECT_TRUE(other->addAllocationAccount(3)) << "accounts that exist are no error";
    EXPECT_EQ(system->allocationAccounts(), 5) << "the count never goes down";

    // The master file keeps its other values.
    EXPECT_EQ(system->masterfile().titles().value(0), "Test Site");
    QFile file(site.path(QStringLiteral("TBMASTER.1")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("Accounts=5\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Fields=20\n")));
}

TEST(AllocationAccounts, RefuseNumbersOutsideTheTableAndAMissingMasterFile) {
    TestSite site;
    auto system = site.open();
    EXPECT_FALSE(system->addAllocationAccount(0));
    EXPECT_FALSE(system->addAllocationAccount(1000)) << "the table's maximum is 999";
    EXPECT_TRUE(system->errors().mentions(QStringLiteral("outside 1 to 999")));
    site.setSetting(QStringLiteral("System"), QStringLiteral("MaxAllocations"),
                    QStringLiteral("9999"));
    EXPECT_TRUE(system->addAllocationAccount(1000));
    EXPECT_EQ(system->allocationAccounts(), 1000);

    ASSERT_TRUE(QFile::remove(site.path(QStringLiteral("TBMASTER.1"))));
    system->errors().clear();
    EXPECT_EQ(system->allocationAccounts(), 0);
    EXPECT_FALSE(system->addAllocationAccount(1001));
    EXPECT_TRUE(system->errors().mentions(QStringLiteral("TBMASTER.1")));
    EXPECT_FALSE(QFile::exists(site.path(QStringLiteral("TBMASTER.1"))))
        << "a missing master file is not made up";
}

}  // namespace
}  // namespace vel::testing
