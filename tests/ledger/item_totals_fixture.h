#pragma once
// A small register for the per-item totals: three item names of the
// category 教材 and one of 管理, items filed under them in number order, the
// master counters set by the link as at start-up.
#include <vector>

#include "store/derived_fixture.h"
#include "store/link.h"

class ItemTotalsFixture : public DerivedFixture {
protected:
    KUBUN_REC scope = entry(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("001"),
                            QStringLiteral("計測器"), 1, QStringLiteral("顕微鏡"), QStringLiteral("実験"));
    KUBUN_REC ruler = entry(QStringLiteral("教材"), 3, QStringLiteral("算数 図形"), QStringLiteral("K2"),
                            QStringLiteral("定規類"), 1, QStringLiteral("黒板用三角定規"), QStringLiteral("道具"));
    // The same subject and name as `ruler` but another classification.
    KUBUN_REC ruler2 = entry(QStringLiteral("教材"), 3, QStringLiteral("算数 図形"), QStringLiteral("K3"),
                             QStringLiteral("製図"), 2, QStringLiteral("黒板用三角定規"), QStringLiteral("道具"));
    KUBUN_REC desk = entry(QStringLiteral("管理"), 2, QStringLiteral("事務"), QStringLiteral(""),
                           QStringLiteral(""), 1, QStringLiteral("机"), QStringLiteral(""));

    // Stores master and items through their files, loads them back and
    // links them (the master's registered and out counts).
    void storeLinked(const std::vector<KUBUN_REC>& master, const std::vector<ZEMLO_REC>& items) {
        store(master, items);
        KUBUN_LINK(2);
    }

    // `qty` pieces of one purchase: number `no`, branches 1 to qty.
    static std::vector<ZEMLO_REC> batch(int w, int y, int no, int qty, const KUBUN_REC& e) {
        std::vector<ZEMLO_REC> out;
        for (int b = 1; b <= qty; ++b) out.push_back(item(w, y, no, b, e));
        return out;
    }
    static void append(std::vector<ZEMLO_REC>& to, const std::vector<ZEMLO_REC>& more) {
        to.insert(to.end(), more.begin(), more.end());
    }
};
