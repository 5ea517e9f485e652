#include "host/DemoSiteCatalogue.h"

#include "data/records/ElementRecord.h"

namespace vel::demoCatalogue {

namespace {

const QString cases = QStringLiteral("Cases");
const QString lines = QStringLiteral("Lines");
const QString pallets = QStringLiteral("Pallets");
const QString cartons = QStringLiteral("Cartons");
const QString pieces = QStringLiteral("Pieces");
const QString travel = QStringLiteral("Travel Minutes");
const QString orders = QStringLiteral("Orders");
const QString totes = QStringLiteral("Totes");
const QString labels = QStringLiteral("Labels");

}  // namespace

const std::vector<ElementEntry>& elements() {
    constexpr int quantity = ElementRecord::Quantity;
    static const std::vector<ElementEntry> list{
        {cases, 140.0F, quantity},
        {lines, 95.0F, quantity},
        {pallets, 22.0F, quantity},
        {cartons, 60.0F, quantity},
        {pieces, 300.0F, quantity},
        {travel, -1.0F, quantity},
        {orders, 30.0F, quantity},
        {totes, 45.0F, quantity},
        {labels, 400.0F, quantity},
        {QStringLiteral("Standard Minutes"), -1.0F, ElementRecord::Standard},
        {QStringLiteral("Cubic Feet"), 250.0F, quantity},
        {QStringLiteral("Pounds"), 2000.0F, quantity},
        {QStringLiteral("Stops"), 12.0F, quantity},
        {QStringLiteral("Hangers"), 350.0F, quantity},
        {QStringLiteral("Kits"), 40.0F, quantity},
        {QStringLiteral("Trailers"), 1.5F, quantity},
        {QStringLiteral("Seals"), 60.0F, quantity},
        {QStringLiteral("Return Authorizations"), 25.0F, quantity}};
    return list;
}

const std::vector<TypeOfWorkEntry>& typesOfWork() {
    static const std::vector<TypeOfWorkEntry> list{{QStringLiteral("RECV"),
                                                    QStringLiteral("Receiving"),
                                                    QStringLiteral("RCV"),
                                                    true,
                                                    {4, 5, 14, 16, 19}},
                                                   {QStringLiteral("PUTA"),
                                                    QStringLiteral("Putaway"),
                                                    QStringLiteral("PUT"),
                                                    true,
                                                    {6, 17, 4}},
                                                   {QStringLiteral("RPLN"),
                                                    QStringLiteral("Replenishment"),
                                                    QStringLiteral("RPL"),
                                                    true,
                                                    {6, 17, 5}},
                                                   {QStringLiteral("PICK"),
                                                    QStringLiteral("Picking"),
                                                    QStringLiteral("PCK"),
                                                    true,
                                                    {1, 2, 3, 5, 6, 9, 13}},
                                                   {QStringLiteral("PACK"),
                                                    QStringLiteral("Packing"),
                                                    QStringLiteral("PAK"),
                                                    true,
                                                    {7, 8, 9, 5, 16}},
                                                   {QStringLiteral("SHIP"),
                                                    QStringLiteral("Shipping"),
                                                    QStringLiteral("SHP"),
                                                    true,
                                                    {10, 11, 15, 20, 21}},
                                                   {QStringLiteral("RTRN"),
                                                    QStringLiteral("Returns"),
                                                    QStringLiteral("RTN"),
                                                    true,
                                                    {1, 4, 5, 18}},
                                                   {QStringLiteral("INVC"),
                                                    QStringLiteral("Inventory Control"),
                                                    QStringLiteral("INV"),
                                                    false,
                                                    {18}},
                                                   {QStringLiteral("VASV"),
                                                    QStringLiteral("Value-Added Services"),
                                                    QStringLiteral("VAS"),
                                                    true,
                                                    {7, 8}},
                                                   {QStringLiteral("INDR"),
                                                    QStringLiteral("Indirect Labor"),
                                                    QStringLiteral("IND"),
                                                    false,
                                                    {}},
                                                   {QStringLiteral("XDCK"),
                                                    QStringLiteral("Cross-Docking"),
                                                    QStringLiteral("XDK"),
                                                    true,
                                                    {10, 11, 21}}};
    return list;
}

const std::vector<ActivityEntry>& activities() {
    static const std::vector<ActivityEntry> list{
        {0, QStringLiteral("Unload Floor Trailer"), {cases, travel}, 2, 0},
        {0, QStringLiteral("Unload Pallet Trailer"), {pallets, travel}, 1, 0},
        {0, QStringLiteral("Receive Cartons"), {cartons, lines}, 1, 0},
        {0, QStringLiteral("Vendor Check-In"), {lines, pieces}, 1, 0},
        {1, QStringLiteral("Putaway Full Pallets"), {pallets, travel}, 1, 0},
        {1, QStringLiteral("Putaway Cases"), {cases, lines, travel}, 1, 0},
        {1, QStringLiteral("Putaway Returns Stock"), {pieces, lines}, 3, 0},
        {2, QStringLiteral("Replenish Pick Faces"), {pallets, cases, travel}, 1, 0},
        {2, QStringLiteral("Let-Down Reserve"), {pallets, travel}, 1, 0},
        {2, QStringLiteral("Top-Off Carton Flow"), {cases, lines}, 2, 0},
        {3, QStringLiteral("Case Pick Grocery"), {cases, lines, travel}, 1, 2},
        {3, QStringLiteral("Each Pick Mezzanine"), {pieces, lines, orders}, 1, 1},
        {3, QStringLiteral("Full Pallet Pick"), {pallets, travel}, 1, 2},
        {3, QStringLiteral("Pick to Tote"), {totes, lines, pieces}, 1, 1},
        {3, QStringLiteral("Batch Pick Small Parts"), {pieces, lines, orders}, 2, 1},
        {3, QStringLiteral("Voice Pick Frozen"), {cases, lines, travel}, 1, 2},
        {3, QStringLiteral("Pick Hot Orders"), {lines, orders}, 4, 1},
        {4, QStringLiteral("Pack Single Orders"), {cartons, orders}, 1, 1},
        {4, QStringLiteral("Pack Multi-Line Orders"), {cartons, lines, pieces}, 1, 1},
        {4, QStringLiteral("Build Mixed Pallets"), {pallets, cases}, 2, 2},
        {4, QStringLiteral("Pack Fragile Goods"), {cartons, pieces}, 3, 0},
        {5, QStringLiteral("Load Outbound Trailer"), {pallets, cases}, 2, 1},
        {5, QStringLiteral("Stage Outbound Pallets"), {pallets, travel}, 1, 0},
        {5, QStringLiteral("Wrap and Label Pallets"), {pallets, labels}, 1, 0},
        {5, QStringLiteral("Parcel Manifest"), {cartons, labels}, 1, 1},
        {6, QStringLiteral("Process Returns"), {pieces, cartons}, 1, 1},
        {6, QStringLiteral("Inspect Returned Goods"), {pieces}, 3, 0},
        {6, QStringLiteral("Restock Returns"), {pieces, lines, travel}, 1, 0},
        {7, QStringLiteral("Cycle Count"), {lines, pieces}, 1, 0},
        {7, QStringLiteral("Research Variances"), {lines}, 5, 0},
        {7, QStringLiteral("Physical Inventory"), {lines, pieces}, 6, 0},
        {8, QStringLiteral("Kit Assembly"), {pieces, cartons}, 1, 2},
        {8, QStringLiteral("Relabel Cartons"), {cartons, labels}, 1, 1},
        {8, QStringLiteral("Build Store Displays"), {pallets, pieces}, 2, 2},
        {9, QStringLiteral("Sanitation"), {}, 0, 0},
        {9, QStringLiteral("Training"), {}, 0, 0},
        {9, QStringLiteral("Safety Meeting"), {}, 0, 0},
        {9, QStringLiteral("Equipment Checks"), {}, 0, 0},
        {9, QStringLiteral("Battery Change"), {}, 0, 0},
        {9, QStringLiteral("Waiting for Work"), {}, 0, 0},
        {10, QStringLiteral("Cross-Dock Pallets"), {pallets, travel}, 1, 0},
        {10, QStringLiteral("Cross-Dock Cartons"), {cartons, travel}, 1, 1},
        {10, QStringLiteral("Sort Inbound Freight"), {cartons, pieces}, 2, 0}};
    return list;
}

const std::vector<WorkCenterEntry>& workCenters() {
    static const std::vector<WorkCenterEntry> list{
        {QStringLiteral("RECV"), QStringLiteral("Inbound Receiving"), 1, {0, 1, 9}, true},
        {QStringLiteral("STOR"),
         QStringLiteral("Storage and Replenishment"),
         1,
         {1, 2, 7, 9},
         true},
        {QStringLiteral("PICKD"), QStringLiteral("Picking - Days"), 1, {3, 2, 9}, true},
        {QStringLiteral("PICKN"), QStringLiteral("Picking - Nights"), 2, {3, 2, 9}, true},
        {QStringLiteral("PACK"), QStringLiteral("Packing and Value-Added"), 1, {4, 8, 9}, true},
        {QStringLiteral("SHIP"), QStringLiteral("Outbound Shipping"), 2, {5, 4, 9, 10}, true},
        {QStringLiteral("RTRN"), QStringLiteral("Returns Processing"), 1, {6, 7, 9}, true},
        {QStringLiteral("TRNG"), QStringLiteral("Training Center"), 1, {9}, false}};
    return list;
}

const QStringList& mistakes() {
    static const QStringList list{
        QStringLiteral("Wrong item picked"),  QStringLiteral("Short pick"),
        QStringLiteral("Over pick"),          QStringLiteral("Damaged case"),
        QStringLiteral("Wrong quantity"),     QStringLiteral("Wrong location"),
        QStringLiteral("Mislabeled carton"),  QStringLiteral("Missing label"),
        QStringLiteral("Item not scanned"),   QStringLiteral("Poor pallet build"),
        QStringLiteral("Wrong carrier"),      QStringLiteral("Wrong dock door"),
        QStringLiteral("Expired product"),    QStringLiteral("Lot number not recorded"),
        QStringLiteral("Loose stretch wrap"), QStringLiteral("Crushed carton"),
        QStringLiteral("Put to wrong slot"),  QStringLiteral("Count variance"),
        QStringLiteral("Paperwork missing"),  QStringLiteral("Seal not recorded"),
        QStringLiteral("Wrong customer"),     QStringLiteral("Mixed items on pallet"),
        QStringLiteral("Late to staging"),    QStringLiteral("Missing packing slip")};
    return list;
}

const std::vector<CodedName>& groupings() {
    static const std::vector<CodedName> list{
        {QStringLiteral("LEADS"), QStringLiteral("Team Leads")},
        {QStringLiteral("FORKLIFT"), QStringLiteral("Certified Forklift Operators")},
        {QStringLiteral("TEMP"), QStringLiteral("Temporary Associates")},
        {QStringLiteral("NEWHIRE"), QStringLiteral("New Hires (First 90 Days)")},
        {QStringLiteral("CROSSTRN"), QStringLiteral("Cross-Trained Associates")},
        {QStringLiteral("RFSCAN"), QStringLiteral("RF Scanner Trained")},
        {QStringLiteral("MENTORS"), QStringLiteral("Mentors")},
        {QStringLiteral("SAFETY"), QStringLiteral("Safety Committee")}};
    return list;
}

const std::vector<ScheduleEntry>& schedules() {
    static const std::vector<ScheduleEntry> list{
        {QStringLiteral("DAY"), QStringLiteral("Day Shift"), QTime(6, 0), QTime(14, 30)},
        {QStringLiteral("SWING"), QStringLiteral("Swing Shift"), QTime(14, 30), QTime(23, 0)},
        {QStringLiteral("NIGHT"), QStringLiteral("Night Shift"), QTime(22, 30), QTime(7, 0)},
        {QStringLiteral("FOURTEN"), QStringLiteral("Four Tens (Mon-Thu)"), QTime(6, 0),
         QTime(16, 30)},
        {QStringLiteral("WKND"), QStringLiteral("Weekend Crew"), QTime(7, 0), QTime(19, 0)}};
    return list;
}

const std::vector<CodedName>& machineKinds() {
    static const std::vector<CodedName> list{
        {QStringLiteral("FORK"), QStringLiteral("Sit-Down Forklift")},
        {QStringLiteral("REACH"), QStringLiteral("Reach Truck")},
        {QStringLiteral("OP"), QStringLiteral("Order Picker")},
        {QStringLiteral("PJ"), QStringLiteral("Electric Pallet Jack")},
        {QStringLiteral("TUG"), QStringLiteral("Tugger")}};
    return list;
}

const QStringList& customerFirstWords() {
    static const QStringList list =
        QStringLiteral(
            "Northwind,Blue Ridge,Lakeside,Summit,Harbor,Prairie,Redwood,Granite,Silver Creek,"
            "Maple,Cedar,Riverbend,Pioneer,Evergreen,Bayside,Highland,Golden,Sunrise,Oak Valley,"
            "Coastal,Frontier,Heritage,Keystone,Liberty,Meadow,Pinecrest,Stonebridge,Westfield,"
            "Brookside,Clearwater,Eastgate,Fairview,Hillcrest,Ironwood,Juniper,Kingsley,Lincoln,"
            "Millbrook,Parkway,Tri-County")
            .split(u',');
    return list;
}

const QStringList& customerLastWords() {
    static const QStringList list =
        QStringLiteral(
            "Foods,Grocers,Hardware,Pharmacy,Outfitters,Supply,Market,Apparel,Electronics,"
            "Home Goods,Pet Supply,Beverage,Auto Parts,Office Goods,Garden,Furniture,Sporting,"
            "Books,Toys,Bakery,Dairy,Wholesale,Health,Tools,Paper Co.")
            .split(u',');
    return list;
}

const QStringList& firstNames() {
    static const QStringList list =
        QStringLiteral(
            "James,Maria,Robert,Linda,Michael,Patricia,David,Jennifer,William,Elizabeth,Richard,"
            "Susan,Joseph,Jessica,Thomas,Sarah,Carlos,Karen,Daniel,Nancy,Matthew,Lisa,Anthony,"
            "Betty,Mark,Sandra,Donald,Ashley,Steven,Kimberly,Andrew,Emily,Joshua,Donna,Kevin,"
            "Michelle,Brian,Carol,George,Amanda,Luis,Melissa,Edward,Deborah,Ronald,Stephanie,"
            "Timothy,Rebecca,Jason,Laura,Jeffrey,Sharon,Ryan,Cynthia,Jacob,Kathleen,Gary,Amy,"
            "Nicholas,Angela")
            .split(u',');
    return list;
}

const QStringList& lastNames() {
    static const QStringList list =
        QStringLiteral(
            "Smith,Johnson,Williams,Brown,Jones,Garcia,Miller,Davis,Rodriguez,Martinez,Hernandez,"
            "Lopez,Gonzalez,Wilson,Anderson,Thomas,Taylor,Moore,Jackson,Martin,Lee,Perez,Thompson,"
            "White,Harris,Sanchez,Clark,Ramirez,Lewis,Robinson,Walker,Young,Allen,King,Wright,"
            "Scott,Torres,Nguyen,Hill,Flores,Green,Adams,Nelson,Baker,Hall,Rivera,Campbell,"
            "Mitchell,Carter,Roberts,Gomez,Phillips,Evans,Turner,Diaz,Parker,Cruz,Edwards,Collins,"
            "Reyes,Stewart,Morris,Morales,Murphy,Cook,Rogers,Gutierrez,Ortiz,Morgan,Cooper,"
            "Peterson,Bailey,Reed,Kelly,Howard,Ramos,Kim,Cox,Ward,Richardson")
            .split(u',');
    return list;
}

const QStringList& supervisors() {
    static const QStringList list =
        QStringLiteral(
            "Dana Whitfield,Marcus Bell,Rosa Delgado,Tom Kowalski,Angela Price,Victor Chen,"
            "Grace Okafor,Hector Salinas,Megan O'Brien,Sam Patel,Irene Novak,Luke Hammond")
            .split(u',');
    return list;
}

QTime shiftStart(int shift) {
    return shift == 2 ? QTime(14, 30) : shift == 3 ? QTime(22, 30) : QTime(6, 0);
}

QTime shiftStop(int shift) {
    return shift == 2 ? QTime(23, 0) : shift == 3 ? QTime(7, 0) : QTime(14, 30);
}

}  // namespace vel::demoCatalogue
