#pragma once

// Every interval of the cycle, in milliseconds, and why it is what it is. The six timers'
// intervals are the station's own: sites have written their scripts around them.
namespace lumenpoll::cycle_intervals {

// The start-up script (ij_deldcm.bat) runs once, a second after the window is made.
inline constexpr unsigned kStartUpMs = 1000;
// The import folder is scanned for raw files every second. A raw file is taken at the second
// scan that finds it unchanged, so one still being copied in is not taken half-written.
inline constexpr unsigned kRawScanMs = 1000;
// The raw script starts a second after its raw file was taken.
inline constexpr unsigned kRawScriptMs = 1000;
// The processed image is looked for every second once the raw script has started.
inline constexpr unsigned kProcessedScanMs = 1000;
// The DICOM script starts 3 s after the processed image was first seen: it must be whole by
// then, which a raw script that puts it in place by a rename makes sure of.
inline constexpr unsigned kDicomScriptMs = 3000;
// The delete script starts 3 s after the DICOM script STARTED, not after it ended: a delete
// script must itself wait until the DICOM file is whole before it removes its inputs.
inline constexpr unsigned kDeleteScriptMs = 3000;

// A slow raw script is normal, one that has not replaced an earlier exposure's processed image
// after a minute is not; a delete that has not removed its raw file after a minute has
// failed, or a viewer holds the file. Either is told once.
inline constexpr unsigned kStuckNoticeMs = 60 * 1000;
// A notice about a single file is shown this soon after it is queued, one box at a time.
inline constexpr unsigned kNoticeQueueMs = 200;

}  // namespace lumenpoll::cycle_intervals
