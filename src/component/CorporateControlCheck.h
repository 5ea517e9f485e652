#pragma once
// The check that comes before the activity, element, type-of-work, mistake and settings editors
// on a system that takes part in corporate control. It answers whether the person may modify
// the tables (false opens the editor view-only), after telling them why not.
//
// A site that uses corporate control needs, in the corporate control folder, the control zip
// "TBCCnt<n>.ZIP" and the three control tables "TBVMACT.--<n>", "TBVMELM.--<n>",
// "TBVMTOW.--<n>", where n is the corporate system's number: the number of the zip found there
// (the site's own number when a zip of that number exists). The check copies the tables, and
// unpacks the zip, into the "Corporate" subfolder of the data folder under the site's own
// system number, where the site's corporate table objects read them; it copies only what is
// missing there or older than the corporate folder's file. The zip may hold only the control
// activity file and the features file and at most 64 MB (an entry at most 250 times its packed
// size); it is unpacked whole or not at all, and a refusal or a damaged zip is told with its
// reason. The corporate system's Performance Policy switch, carried in the features file,
// becomes the site's "Corporate"/"PerformancePolicy" setting.
#include <QString>

namespace vel {

class VelmorSystem;

bool corporateControlCheck(VelmorSystem& system);

}  // namespace vel
