// Equine carpus, dorsopalmar: inverted, contrast stretched to the image, strong sharpening.
// Run by ij_raw.bat: imagej -b equine_carpus_dp.ijm "<raw> <processed.tif> <shown.jpg>"
// dicom: PatientSpeciesDescription=Equine
// dicom: BodyPartExamined=CARPUS
// dicom: StudyDescription=Carpus DP
args = split(getArgument(), " ");
setOption("ScaleConversions", true);
open(args[0]);
run("Invert");
run("Unsharp Mask...", "radius=4 mask=0.7");
run("Enhance Contrast", "saturated=0.5");
saveAs("Tiff", args[1]);
run("8-bit");
saveAs("Jpeg", args[2]);
