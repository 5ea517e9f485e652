#include "data/records/ActivityRecord.h"

namespace vel {

namespace {

using Slot = ActivityElementSlot;

// One field per slot of a value kept in the element slots: prefix + slot number.
void addSlotFields(Fields<ActivityRecord>& fields, const QString& prefix, FieldType type, int size,
                   int decimals, const std::function<QVariant(const Slot&)>& read,
                   const std::function<void(Slot&, const QVariant&)>& write) {
    for (size_t slot = 0; slot < ActivityRecord::ElementSlots; ++slot) {
        fields.push_back(
            {prefix + QString::number(slot + 1), type, size, decimals,
             [read, slot](const ActivityRecord& record) { return read(record.Elements[slot]); },
             [write, slot](ActivityRecord& record, const QVariant& value) {
                 write(record.Elements[slot], value);
             }});
    }
}

Fields<ActivityRecord> buildFields() {
    using R = ActivityRecord;
    Fields<R> fields{field(QStringLiteral("Code"), &R::Code, 10),
                     field(QStringLiteral("Desc"), &R::Desc, 30)};
    addArrayFields(fields, QStringLiteral("Lang"), &R::Lang, 30);
    Fields<R> settings{field(QStringLiteral("TOW"), &R::TOW, 5),
                       field(QStringLiteral("IncRate"), &R::IncRate, 5),
                       field(QStringLiteral("GetDoc"), &R::GetDoc),
                       field(QStringLiteral("MultiDoc"), &R::MultiDoc),
                       field(QStringLiteral("Document"), &R::Document, 30),
                       field(QStringLiteral("Lookup"), &R::Lookup, 1),
                       field(QStringLiteral("Reuse"), &R::Reuse, 1),
                       field(QStringLiteral("Allocate"), &R::Allocate, 1),
                       field(QStringLiteral("UnitsinAlloc"), &R::UnitsinAlloc),
                       field(QStringLiteral("UnitsinTOW"), &R::UnitsinTOW),
                       field(QStringLiteral("UnitsinQual"), &R::UnitsinQual),
                       field(QStringLiteral("ProRateFlag"), &R::ProRateFlag),
                       field(QStringLiteral("AllAllocSameStd"), &R::AllAllocSameStd),
                       field(QStringLiteral("Kiosk"), &R::Kiosk),
                       field(QStringLiteral("KioskColor"), &R::KioskColor, 10),
                       field(QStringLiteral("SystemTracked"), &R::SystemTracked),
                       field(QStringLiteral("EarnedHrsCalc"), &R::EarnedHrsCalc, 1),
                       field(QStringLiteral("ReflectiveWC"), &R::ReflectiveWC, 5),
                       field(QStringLiteral("ReflectiveGroup"), &R::ReflectiveGroup, 5),
                       field(QStringLiteral("ReflectiveTOW"), &R::ReflectiveTOW, 5),
                       field(QStringLiteral("ReflectiveRecorded"), &R::ReflectiveRecorded, 5),
                       field(QStringLiteral("Historical"), &R::Historical),
                       field(QStringLiteral("HistStartDate"), &R::HistStartDate),
                       field(QStringLiteral("ExcludeFromIncentive"), &R::ExcludeFromIncentive),
                       field(QStringLiteral("Protected"), &R::Protected),
                       field(QStringLiteral("AdditivePay"), &R::AdditivePay),
                       field(QStringLiteral("AdditiveType"), &R::AdditiveType, 1),
                       field(QStringLiteral("AdditiveAmount"), &R::AdditiveAmount, 12, 4),
                       field(QStringLiteral("ExcludeFromPPA"), &R::ExcludeFromPPA),
                       field(QStringLiteral("StartLocCode"), &R::StartLocCode, 10),
                       field(QStringLiteral("EndLocCode"), &R::EndLocCode, 10),
                       field(QStringLiteral("MachineCode"), &R::MachineCode, 10),
                       field(QStringLiteral("UseXYZ"), &R::UseXYZ),
                       field(QStringLiteral("ReleaseMachine"), &R::ReleaseMachine),
                       field(QStringLiteral("FldHoursto"), &R::FldHoursto, 5),
                       field(QStringLiteral("FldEarnedto"), &R::FldEarnedto, 5),
                       field(QStringLiteral("FldCostto"), &R::FldCostto, 5)};
    fields.insert(fields.end(), settings.begin(), settings.end());

    const auto toFloat = [](const QVariant& value) { return value.toFloat(); };
    addSlotFields(
        fields, QStringLiteral("Element"), FieldType::Integer, 5, 0,
        [](const Slot& slot) { return QVariant(slot.Element); },
        [](Slot& slot, const QVariant& value) { slot.Element = value.toInt(); });
    addSlotFields(
        fields, QStringLiteral("Standard"), FieldType::Number, 16, 7,
        [](const Slot& slot) { return QVariant(slot.Standard); },
        [toFloat](Slot& slot, const QVariant& value) { slot.Standard = toFloat(value); });
    addSlotFields(
        fields, QStringLiteral("LowerLimit"), FieldType::Number, 14, 4,
        [](const Slot& slot) { return QVariant(slot.LowerLimit); },
        [toFloat](Slot& slot, const QVariant& value) { slot.LowerLimit = toFloat(value); });
    addSlotFields(
        fields, QStringLiteral("UpperLimit"), FieldType::Number, 14, 4,
        [](const Slot& slot) { return QVariant(slot.UpperLimit); },
        [toFloat](Slot& slot, const QVariant& value) { slot.UpperLimit = toFloat(value); });
    addSlotFields(
        fields, QStringLiteral("Switches"), FieldType::Text, 6, 0,
        [](const Slot& slot) { return QVariant(slot.switches()); },
        [](Slot& slot, const QVariant& value) { slot.setSwitches(value.toString()); });
    addSlotFields(
        fields, QStringLiteral("UnitsField"), FieldType::Integer, 5, 0,
        [](const Slot& slot) { return QVariant(slot.UnitsField); },
        [](Slot& slot, const QVariant& value) { slot.UnitsField = value.toInt(); });
    return fields;
}

}  // namespace

const Fields<ActivityRecord>& ActivityRecord::fields() {
    static const Fields<ActivityRecord> list = buildFields();
    return list;
}

}  // namespace vel
