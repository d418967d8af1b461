// Canine skull, dorsoventral: inverted, narrow bone window, strong sharpening.
// Run by ij_raw.bat: imagej -b canine_skull_dv.ijm "<raw> <processed.tif> <shown.jpg>"
// dicom: PatientSpeciesDescription=Canine
// dicom: BodyPartExamined=SKULL
// dicom: StudyDescription=Skull DV
args = split(getArgument(), " ");
setOption("ScaleConversions", true);
open(args[0]);
run("Invert");
run("Unsharp Mask...", "radius=2 mask=0.8");
setMinAndMax(45000, 62000);
saveAs("Tiff", args[1]);
run("8-bit");
saveAs("Jpeg", args[2]);
