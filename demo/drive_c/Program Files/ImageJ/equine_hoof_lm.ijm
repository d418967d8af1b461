// Equine hoof, lateromedial: inverted, histogram equalised to bring out the hoof wall.
// Run by ij_raw.bat: imagej -b equine_hoof_lm.ijm "<raw> <processed.tif> <shown.jpg>"
// dicom: PatientSpeciesDescription=Equine
// dicom: BodyPartExamined=HOOF
// dicom: StudyDescription=Hoof LM
args = split(getArgument(), " ");
setOption("ScaleConversions", true);
open(args[0]);
run("Invert");
run("Enhance Contrast...", "saturated=0.35 equalize");
saveAs("Tiff", args[1]);
run("8-bit");
saveAs("Jpeg", args[2]);
