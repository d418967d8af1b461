// Plain processing, for a raw file whose macro argument names no macro here: the full
// range of the raw image, nothing else.
// Run by ij_raw.bat: imagej -b plain.ijm "<raw> <processed.tif> <shown.jpg>"
// dicom: StudyDescription=Unprocessed
args = split(getArgument(), " ");
setOption("ScaleConversions", true);
open(args[0]);
resetMinAndMax();
saveAs("Tiff", args[1]);
run("8-bit");
saveAs("Jpeg", args[2]);
