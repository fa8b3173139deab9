#include "master/gruppe.h"

#include <gtest/gtest.h>

#include "files/sorted_list.h"

namespace qrv {
namespace {

TEST(GruppeTest, AnUntouchedGroupHasRecordNumberMinusOne) {
  TGruppe g;
  EXPECT_EQ(g.KeyC, -1);
  EXPECT_FALSE(g.Buffered);
}

TEST(GruppeTest, AssignCopiesTheRecordAndItsNumber) {
  TGruppe a;
  a.Name = {5, 'A', 'd', 'm', 'i', 'n'};
  a.Daten[0] = 1;
  a.Daten[1196] = 2;
  a.Wert1 = -3;
  a.Flag1 = 4;
  a.Wert2 = 100000;
  a.Flag2 = 6;
  a.Wert3 = -7;
  a.KeyC = 12;
  TGruppe b;
  b.Assign(a);
  EXPECT_EQ(b.Name, a.Name);
  EXPECT_EQ(b.Daten, a.Daten);
  EXPECT_EQ(b.Wert1, -3);
  EXPECT_EQ(b.Flag1, 4);
  EXPECT_EQ(b.Wert2, 100000);
  EXPECT_EQ(b.Flag2, 6);
  EXPECT_EQ(b.Wert3, -7);
  EXPECT_EQ(b.KeyC, 12);
}

TEST(GruppeTest, AssigningAnythingElseIsAnInvalidCast) {
  class Other : public TFileData {
   public:
    Other() : TFileData(false) {}
    std::unique_ptr<TPersistent> NewInstance() const override { return nullptr; }
    void Save() override {}
  } other;
  TGruppe g;
  try {
    g.Assign(other);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Ung\xFCltige Typumwandlung");
  }
}

}  // namespace
}  // namespace qrv
