#pragma once

#include <string>

// Every text an operator can read in the window and its boxes, in one place. They are the
// station's own: operators and the sites' handbooks know them, so they change only on
// purpose. A box adds its final period itself (error_box_text). What a platform says when it
// cannot start at all (no window, no timer, no lock) is said in its adapter.
namespace lumenpoll::operator_texts {

// ---- Captions
// The task-bar button's and every error box's.
inline constexpr const char* kApplicationTitle = "Orvend Image Processing";
inline constexpr const char* kWindowCaption = "Velmora Imaging Processing";

// ---- The window's fixed texts
inline constexpr const char* kCurrently = "Currently:";
inline constexpr const char* kLastOperation = "Last Operation:";
inline constexpr const char* kPatientGroup = " Patient Type / Region ";
inline constexpr const char* kSpecies = "Species:";
inline constexpr const char* kRegion = "Region:";
inline constexpr const char* kTechniquesGroup = " Techniques ";
inline constexpr const char* kCloseHint = "Close Window to View Images.";
inline constexpr const char* kViewImages = "View Images";
inline constexpr const char* kChartHeadings[] = {"CM", "kVp", "mAs"};

// ---- The "Currently:" line
// Kept on purpose: two blanks until the first image is done, one after.
inline constexpr const char* kWaitingAtStart = "Waiting for  Image File";
inline constexpr const char* kWaiting = "Waiting for Image File";
// A copy of the program whose session is not at the console, while another copy runs the
// cycle.
inline constexpr const char* kCycleElsewhere = "Running in another session";
// "Processing shot01.nef 2": the stage of the image, whatever the case of its file's name.
std::string processing(const std::string& image, int stage);

// ---- The "Last Operation:" line
inline constexpr const char* kNoLastOperation = "None";
std::string processed(const std::string& image);  // "Processed shot01.dcm"

// ---- Boxes
// A failed open, read, write or close of the macro list or the saved selection: "File not
// found", ..., "I/O error 32" for a code without a text of its own.
std::string file_error(int code);
bool file_error_has_own_text(int code);
inline constexpr const char* kInvalidFolder = "Invalid folder";  // the import folder is missing
inline constexpr const char* kNoTimers = "Not enough timers available";
inline constexpr const char* kUnknownError = "Unknown error";

// A raw file the scripts cannot be given, and why (one of the two reasons below).
std::string cannot_process(const std::string& file_name, const std::string& reason);
inline constexpr const char* kNameHoldsOddCharacters =
    "its name holds characters the scripts cannot take";
inline constexpr const char* kNameIsOnlyExtension = "its name has nothing before the extension";
std::string cannot_read(const std::string& file_name, const std::string& system_text);
// Not "delete it" alone: a delete script may have kept the raw file because its DICOM file
// was never made.
std::string still_there_after_delete(const std::string& raw_file_name);
std::string earlier_image_unreplaced(const std::string& processed_file_name,
                                     const std::string& raw_file_name);

// A second start of the program, while another copy holds the station.
std::string held_elsewhere(const std::string& user);
inline constexpr const char* kHolderSilent =
    "lumenpoll is already running on this station but does not answer. Restart the station; "
    "if this comes back, call IT.";

}  // namespace lumenpoll::operator_texts
