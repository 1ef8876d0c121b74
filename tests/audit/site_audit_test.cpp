#include "audit/site_audit.h"

#include <gtest/gtest.h>

using namespace lumora::audit;

TEST(SiteAudit, FindingIdentifiersRoundTrip) {
    ASSERT_EQ(allFindings().size(), kFindingCount);
    for (size_t i = 0; i < kFindingCount; ++i) {
        const Finding finding = allFindings()[i].finding;
        EXPECT_EQ(static_cast<size_t>(finding), i);
        EXPECT_EQ(findingFromId(findingId(finding)), finding);
    }
    EXPECT_EQ(findingFromId("missing-title"), Finding::MissingTitle);
    EXPECT_EQ(findingFromId("Missing-Title"), std::nullopt);
    EXPECT_EQ(findingFromId(""), std::nullopt);
}
