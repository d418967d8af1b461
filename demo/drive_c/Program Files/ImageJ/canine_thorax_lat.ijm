// Canine thorax, lateral: inverted, lung window, mild sharpening.
// Run by ij_raw.bat: imagej -b canine_thorax_lat.ijm "<raw> <processed.tif> <shown.jpg>"
// dicom: PatientSpeciesDescription=Canine
// dicom: BodyPartExamined=CHEST
// dicom: StudyDescription=Thorax LAT
args = split(getArgument(), " ");
setOption("ScaleConversions", true);
open(args[0]);
run("Invert");
run("Unsharp Mask...", "radius=3 mask=0.5");
setMinAndMax(20000, 60000);
saveAs("Tiff", args[1]);
run("8-bit");
saveAs("Jpeg", args[2]);
