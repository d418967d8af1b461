// Canine abdomen, ventrodorsal: inverted, wide soft-tissue window, smoothed.
// Run by ij_raw.bat: imagej -b canine_abdomen_vd.ijm "<raw> <processed.tif> <shown.jpg>"
// dicom: PatientSpeciesDescription=Canine
// dicom: BodyPartExamined=ABDOMEN
// dicom: StudyDescription=Abdomen VD
args = split(getArgument(), " ");
setOption("ScaleConversions", true);
open(args[0]);
run("Invert");
run("Gaussian Blur...", "sigma=1.2");
setMinAndMax(12000, 65535);
saveAs("Tiff", args[1]);
run("8-bit");
saveAs("Jpeg", args[2]);
