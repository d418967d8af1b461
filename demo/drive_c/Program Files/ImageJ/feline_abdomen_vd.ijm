// Feline abdomen, ventrodorsal: inverted, soft-tissue window, gamma lifting the shadows.
// Run by ij_raw.bat: imagej -b feline_abdomen_vd.ijm "<raw> <processed.tif> <shown.jpg>"
// dicom: PatientSpeciesDescription=Feline
// dicom: BodyPartExamined=ABDOMEN
// dicom: StudyDescription=Abdomen VD
args = split(getArgument(), " ");
setOption("ScaleConversions", true);
open(args[0]);
run("Invert");
setMinAndMax(10000, 62000);
run("Apply LUT");
run("Gamma...", "value=0.7");
saveAs("Tiff", args[1]);
run("8-bit");
saveAs("Jpeg", args[2]);
