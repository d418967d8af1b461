// Feline thorax, lateral: inverted, lung window for a small patient, fine sharpening.
// Run by ij_raw.bat: imagej -b feline_thorax_lat.ijm "<raw> <processed.tif> <shown.jpg>"
// dicom: PatientSpeciesDescription=Feline
// dicom: BodyPartExamined=CHEST
// dicom: StudyDescription=Thorax LAT
args = split(getArgument(), " ");
setOption("ScaleConversions", true);
open(args[0]);
run("Invert");
run("Unsharp Mask...", "radius=1.5 mask=0.6");
setMinAndMax(15000, 58000);
saveAs("Tiff", args[1]);
run("8-bit");
saveAs("Jpeg", args[2]);
