#include "framework/data/Model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/data/ObjectBus.h"
#include "framework/data/Table.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"
#include "TestSupport.h"

namespace umbrinex {
namespace {

// An example model built the way a real one is: a table of rows, a list of
// named parts reached by a redirect that renumbers items, and a list of
// unnamed points reached by index.
enum : int {
  vnSpan = 710,
  vnRowCount = 700,
  vnRowLength = 701,
  vnRowFactor = 702,
  // 800..809 go to the parts list: 805 count, 806 name, 807 selected part.
  vnPartStiffness = 800,
  vnPartCount = 805,
  vnPartName = 806,
  vnSelectedPart = 807,
  // 900..909 go to the points list: 909 count, 900 a point's offset.
  vnPointOffset = 900,
  vnPointCount = 909,
};

class TPart : public TModelObject {
 public:
  explicit TPart(TNamedObject* owner) : TModelObject(owner) {}
  double Stiffness = 0.0;
  bool InUse = false;

  void SetDefaults() override
  {
    SetName("Part");
    Stiffness = 100.0;  // kN/m^2
  }
  bool CanDelete() const override { return !InUse; }
  // A part's data belongs to the model's results.
  void ResetResults() override
  {
    TModelObject::ResetResults();
    if (Model()) Model()->ResetResults();
  }
  void Assign(const TEngineDataObject& source) override
  {
    TModelObject::Assign(source);
    InUse = false;
  }

 protected:
  void RegisterDataItems(TDataItemRegister& reg) override { reg.RegisterReal(Stiffness, dmStress, vnPartStiffness); }
};

class TPartsList : public TModelObjectList {
 public:
  explicit TPartsList(TNamedObject* owner)
      : TModelObjectList(owner, [](TNamedObject* o) -> std::unique_ptr<TModelObject> { return New<TPart>(o); })
  {
  }
  bool CopyOnInsert() const override { return true; }
};

class TPoint : public TEngineDataObject {
 public:
  using TEngineDataObject::TEngineDataObject;
  double Offset = 0.5;

 protected:
  void RegisterDataItems(TDataItemRegister& reg) override { reg.RegisterReal(Offset, dmLength, vnPointOffset); }
};

class TExampleModel : public TModel {
 public:
  TExampleModel()
      : Rows(vnRowCount, {{vnRowLength, 1.0, dmLength}, {vnRowFactor, 2.0, dmDimensionless}}),
        Parts(New<TPartsList>(this)),
        Points(New<TEngineDataObjectList>(
            this, [](TNamedObject* o) -> std::unique_ptr<TEngineDataObject> { return New<TPoint>(o); }))
  {
  }
  ~TExampleModel() override { BeginDestruction(); }

  double Span = 0.0;
  TTable Rows;
  std::unique_ptr<TPartsList> Parts;
  std::unique_ptr<TEngineDataObjectList> Points;
  int ResetCount = 0;

  const TVarList* GetVarList() const override
  {
    static const TVarList vars = [] {
      TVarList v;
      v.AddRanged(vnSpan, vtReal, Tiny, Infinity);
      v.AddRanged(vnPartCount, vtInt, 1, 1000);
      v.AddRanged(vnPartStiffness, vtReal, Tiny, Infinity);
      return v;
    }();
    return &vars;
  }
  void SetDefaults() override
  {
    TModel::SetDefaults();
    Span = 2.0;
    Rows.SetRowCount(2);
    Parts->SetCount(3);
    Points->SetCount(2);
  }
  void ResetResults() override
  {
    ++ResetCount;
    TModel::ResetResults();
  }

 protected:
  void RegisterDataItems(TDataItemRegister& reg) override
  {
    TModel::RegisterDataItems(reg);
    reg.RegisterReal(Span, dmLength, vnSpan);
    reg.RegisterSubObject(Rows);
  }
  void Redirect(TDataObject*& target, int& varNum, int& /*index*/) override
  {
    if (varNum >= 800 && varNum <= 809) {
      target = Parts.get();
      if (varNum == vnPartCount) varNum = vnItemCount;
      else if (varNum == vnPartName) varNum = vnName;
      else if (varNum == vnSelectedPart) varNum = vnCurrentItem;
    } else if (varNum >= 900 && varNum <= 909) {
      target = Points.get();
      if (varNum == vnPointCount) varNum = vnItemCount;
    }
  }
};

// Records every notification in order.
class TRecorder : public IModelNotificationTarget {
 public:
  std::vector<std::pair<TModelNotification, int>> Events;
  void ModelNotification(TModelNotification id, int value, TNamedObject* /*object*/) override
  {
    Events.emplace_back(id, value);
  }
};

using N = TModelNotification;

class ModelFramework : public ::testing::Test {
 protected:
  void SetUp() override
  {
    model = New<TExampleModel>();
    model->SetModified(false);
    model->SetNotificationTarget(&recorder);
  }
  void TearDown() override { model->SetNotificationTarget(nullptr); }

  TAccessStatus Set(int varNum, const TVariant& value, TVarType representation = vtReal, int index = 0)
  {
    TAccessStatus status;
    model->SetValue(varNum, index, status, value, representation);
    return status;
  }
  TAccessStatus Get(int varNum, TVariant& value, TVarType representation = vtReal, int index = 0)
  {
    TAccessStatus status;
    model->GetValue(varNum, index, status, value, representation);
    return status;
  }
  TPart& Part(int i) { return dynamic_cast<TPart&>(*model->Parts->Item(i)); }
  // The model object list and the engine data object list.
  std::vector<TDataObject*> Lists() { return {model->Parts.get(), model->Points.get()}; }

  std::unique_ptr<TExampleModel> model;
  TRecorder recorder;
};

TEST_F(ModelFramework, ADataChangeResetsResultsMarksModifiedAndNotifiesInOrder)
{
  ASSERT_EQ(model->State(), 1);
  const int resetsBefore = model->ResetCount;
  EXPECT_EQ(Set(vnSpan, 3.0).Code, acOk);
  EXPECT_EQ(model->Span, 3.0);
  EXPECT_GT(model->ResetCount, resetsBefore);
  EXPECT_TRUE(model->Modified());
  EXPECT_EQ(model->State(), 1);
  const std::vector<std::pair<N, int>> expected = {
      {N::ModelStateChanged, 0}, {N::DataChanged, 0}, {N::ModelStateChanged, 1}};
  EXPECT_EQ(recorder.Events, expected);
}

TEST_F(ModelFramework, ARefusedChangeHasNoConsequences)
{
  EXPECT_EQ(Set(vnSpan, -1.0).Message, "Must be positive");
  EXPECT_FALSE(model->Modified());
  EXPECT_TRUE(recorder.Events.empty());
}

TEST_F(ModelFramework, RedirectedItemsReachTheCurrentPartAndItsResultsResetTheModel)
{
  TVariant value;
  EXPECT_EQ(Get(vnPartStiffness, value).Code, acOk);
  EXPECT_EQ(value.ToReal(), 100.0);
  const int resetsBefore = model->ResetCount;
  EXPECT_EQ(Set(vnPartStiffness, 250.0).Code, acOk);
  EXPECT_EQ(Part(2).Stiffness, 250.0) << "the last inserted part is current";
  EXPECT_GT(model->ResetCount, resetsBefore);
  EXPECT_EQ(Set(vnPartStiffness, 0.0).Message, "Must be positive") << "the caller's descriptor applies";
}

TEST_F(ModelFramework, SelectingTheCurrentItemChangesNothingInTheModel)
{
  const int resetsBefore = model->ResetCount;
  EXPECT_EQ(Set(vnSelectedPart, 0, vtCard).Code, acOk);
  EXPECT_EQ(model->Parts->CurrentItem(), &Part(0));
  EXPECT_EQ(Set(vnSelectedPart, 3, vtCard).Code, acInvalidIndex);
  EXPECT_EQ(Set(vnSelectedPart, 0, vtReal).Code, acChangeNotAllowed) << "unreadable as a real, so not changeable";
  TVariant name;
  Get(vnSelectedPart, name, vtText);
  EXPECT_EQ(name.ToText(), "Part");
  EXPECT_FALSE(model->Modified());
  EXPECT_EQ(model->ResetCount, resetsBefore);
  EXPECT_TRUE(recorder.Events.empty());
}

TEST_F(ModelFramework, ANameChangeMarksModifiedButKeepsResults)
{
  const int resetsBefore = model->ResetCount;
  EXPECT_EQ(Part(1).Name(), "Part1");
  EXPECT_EQ(Set(vnPartName, "Rubber", vtText, 1).Code, acOk);
  EXPECT_EQ(Part(1).Name(), "Rubber");
  EXPECT_TRUE(model->Modified());
  EXPECT_EQ(model->ResetCount, resetsBefore);
  ASSERT_EQ(recorder.Events.size(), 1u);
  EXPECT_EQ(recorder.Events[0].first, N::ObjectNameChanged);

  const TAccessStatus clash = Set(vnPartName, "Part", vtText, 1);
  EXPECT_EQ(clash.Code, acNotAllowed);
  EXPECT_EQ(clash.Message, "Invalid name - that name has already been used.");
  EXPECT_EQ(Part(1).Name(), "Rubber");
  TVariant value;
  EXPECT_EQ(Get(vnPartName, value, vtText, 7).Code, acNotApplicable) << "no part at index 7";
}

TEST_F(ModelFramework, DeletingTheCurrentItemMovesTheSelection)
{
  // Deletions and insertions carry the new count, which is validated.
  EXPECT_EQ(Set(vnPartCount, 0, vtDelete, 2).Message, "Must be in the range 1 to 1000");
  EXPECT_EQ(Set(vnPartCount, 2, vtDelete, 2).Code, acOk);  // the last, current one
  EXPECT_EQ(model->Parts->Count(), 2);
  EXPECT_EQ(model->Parts->CurrentItem(), &Part(1));
  model->Parts->SetCurrentItem(&Part(0));
  EXPECT_EQ(Set(vnPartCount, 1, vtDelete, 0).Code, acOk);
  EXPECT_EQ(model->Parts->CurrentItem(), &Part(0)) << "the next item becomes current";
  EXPECT_EQ(Set(vnPartCount, 1, vtDelete, 3).Code, acInvalidIndex);
  model->Parts->DeleteItem(0);
  EXPECT_EQ(model->Parts->CurrentItem(), nullptr);
}

TEST_F(ModelFramework, InsertingCopiesTheItemItPushesDown)
{
  Part(1).Stiffness = 123.0;
  EXPECT_EQ(Set(vnPartCount, 4, vtInsertBefore, 1).Code, acOk);
  ASSERT_EQ(model->Parts->Count(), 4);
  EXPECT_EQ(Part(1).Stiffness, 123.0);
  EXPECT_EQ(model->Parts->CurrentItem(), &Part(1));
  EXPECT_EQ(Part(1).Name(), "Part3") << "a copy gets a name of its own";
  EXPECT_NE(std::find(recorder.Events.begin(), recorder.Events.end(), std::pair{N::ObjectListChanged, 0}),
            recorder.Events.end());
}

TEST_F(ModelFramework, ItemsInUseStopTheCountFromFalling)
{
  Part(0).InUse = true;
  Part(2).InUse = true;
  const TAccessStatus status = Set(vnPartCount, 1, vtInt);
  EXPECT_EQ(status.Code, acNotAllowed);
  EXPECT_EQ(status.Message, "Cannot delete any more Objects - they are all in use.");
  ASSERT_EQ(model->Parts->Count(), 2);
  EXPECT_TRUE(Part(0).InUse && Part(1).InUse);
  const TAccessStatus refused = Set(vnPartCount, 1, vtDelete, 0);
  EXPECT_EQ(refused.Message, "This Object is in use and cannot be deleted.");
  // A counter's spin arrows write a long; the items in use hold there too.
  EXPECT_EQ(Set(vnPartCount, 1, vtLong).Code, acNotAllowed);
  EXPECT_EQ(model->Parts->Count(), 2);
  EXPECT_EQ(Set(vnPartCount, 1, vtReal).Code, acInvalidType);
}

TEST_F(ModelFramework, ChangesInsideABatchMarkTheModelChangedOnceAtTheEnd)
{
  model->BeginUpdate();
  EXPECT_EQ(Set(vnSpan, 4.0).Code, acOk);
  EXPECT_EQ(Set(vnSpan, 5.0).Code, acOk);
  EXPECT_EQ(model->State(), 0);
  model->EndUpdate();
  EXPECT_EQ(model->State(), 1);
  int marks = 0;
  for (const auto& [id, value] : recorder.Events)
    if (id == N::ModelStateChanged && value == 1) ++marks;
  EXPECT_EQ(marks, 1);
}

TEST_F(ModelFramework, TablesAnswerThroughTheModelWithRowIndices)
{
  EXPECT_EQ(Set(vnRowCount, 3, vtInt).Code, acOk);
  EXPECT_EQ(model->Rows.RowCount(), 3);
  EXPECT_EQ(Set(vnRowLength, 7.5, vtReal, 2).Code, acOk);
  EXPECT_EQ(model->Rows.Cell(2, vnRowLength), 7.5);
  TVariant value;
  EXPECT_EQ(Get(vnRowLength, value, vtReal, 3).Code, acInvalidIndex);
  EXPECT_EQ(Set(vnRowCount, 1, vtInsertAfter).Code, acInvalidType);
}

TEST_F(ModelFramework, PointsAreReachedByIndexAndCountedThroughTheirList)
{
  EXPECT_EQ(Set(vnPointOffset, 0.75, vtReal, 1).Code, acOk);
  EXPECT_EQ(dynamic_cast<TPoint&>(*model->Points->Item(1)).Offset, 0.75);
  TVariant value;
  EXPECT_EQ(Get(vnPointOffset, value, vtReal, 2).Code, acNotApplicable);
  EXPECT_EQ(Set(vnPointCount, 3, vtInsertBefore, 2).Code, acOk);
  EXPECT_EQ(model->Points->Count(), 3);
  EXPECT_EQ(dynamic_cast<TPoint&>(*model->Points->Item(2)).Offset, 0.75) << "copied from the last point";
  EXPECT_EQ(Set(vnPointCount, 1, vtInt).Code, acOk);
  EXPECT_EQ(model->Points->Count(), 1);
  EXPECT_TRUE(model->Modified());
}

TEST_F(ModelFramework, AChangeOfUnitsRescalesEveryDimensionedValueOnce)
{
  int unitMessages = 0;
  TNotifier listener(nullptr, [&](TObjectMessage message, TNamedObject* sender, int kind) {
    if (message == TObjectMessage::Changed && sender == model.get() && kind == ckUnitsChanged) ++unitMessages;
  });
  model->Units().SetSystem(1);  // US: feet, kips
  EXPECT_CLOSE(2.0 / 0.3048, model->Span);
  EXPECT_CLOSE(1.0 / 0.3048, model->Rows.Cell(0, vnRowLength));
  EXPECT_EQ(model->Rows.Cell(0, vnRowFactor), 2.0);
  EXPECT_CLOSE(100.0 * 1000.0 / 4448.2216152605 * 0.3048 * 0.3048, Part(0).Stiffness);
  EXPECT_CLOSE(0.5 / 0.3048, dynamic_cast<TPoint&>(*model->Points->Item(0)).Offset);
  EXPECT_EQ(unitMessages, 1);
  EXPECT_EQ(model->GetText(2), "US");

  model->Units().SetSystem(0);
  EXPECT_CLOSE(2.0, model->Span, 1e-14);
  EXPECT_CLOSE(100.0, Part(0).Stiffness, 1e-14);
}

TEST_F(ModelFramework, NewObjectsTakeTheirDefaultsInTheCurrentUnits)
{
  model->Units().SetSystem(1);
  EXPECT_EQ(Set(vnPartCount, 4, vtInt).Code, acOk);
  EXPECT_CLOSE(Part(0).Stiffness, Part(3).Stiffness) << "a copy of its neighbour";
  auto fresh = New<TPart>(model.get());
  EXPECT_CLOSE(100.0 * 1000.0 / 4448.2216152605 * 0.3048 * 0.3048, fresh->Stiffness);
}

// Both kinds of list answer the count and the current item alike: the
// current item reads as its position only as a number (vtCard, vtLong), and
// any other representation that is neither text nor a list is refused.
TEST_F(ModelFramework, BothListsReadTheCurrentItemAlike)
{
  model->Parts->SetCurrentItem(model->Parts->Item(1));
  model->Points->SetCurrentItem(model->Points->Item(1));
  for (TDataObject* list : Lists()) {
    SCOPED_TRACE(list == model->Parts.get() ? "model object list" : "engine data object list");
    for (TVarType representation : {vtCard, vtLong}) {
      TAccessStatus status;
      TVariant value;
      list->GetValue(vnCurrentItem, 0, status, value, representation);
      EXPECT_EQ(status.Code, acOk);
      EXPECT_EQ(value.ToInteger(), 1);
    }
    for (TVarType representation : {vtInt, vtReal}) {
      TAccessStatus status;
      TVariant value;
      list->GetValue(vnCurrentItem, 0, status, value, representation);
      EXPECT_EQ(status.Code, acInvalidType) << int{representation};
    }
    TAccessStatus status;
    TVariant count;
    list->GetValue(vnItemCount, 0, status, count, vtInt);
    EXPECT_EQ(status.Code, acOk);
    EXPECT_EQ(count.ToInteger(), list == model->Parts.get() ? 3 : 2);
  }
}

// What a counter's spin arrows write (vtLong) sets the count of either list.
TEST_F(ModelFramework, BothListsTakeASpunCount)
{
  for (TDataObject* list : Lists()) {
    TAccessStatus status;
    list->SetValue(vnItemCount, 0, status, TVariant(4), vtLong);
    EXPECT_EQ(status.Code, acOk);
  }
  EXPECT_EQ(model->Parts->Count(), 4);
  EXPECT_EQ(model->Points->Count(), 4);
}

}  // namespace
}  // namespace umbrinex
