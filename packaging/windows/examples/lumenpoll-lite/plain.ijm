// Example macro for the example ij_raw.bat, which runs it for a macro argument that names
// no macro in the ImageJ folder (or for none): the raw image's full range, nothing else.
// A site makes one <macro argument>.ijm of it for each region of macrolist.txt, with that
// region's processing between open() and the first saveAs().
//
// ij_raw.bat runs it as
//   ImageJ.exe -batch "<this file>" "<raw file> <processed.tif> <shown.jpg> <done file>"
// (the paths hold no blank). It must write the done file last: ij_raw.bat moves the
// processed image once that file is there. The JPEG, 8-bit, is what img2dcm makes the DICOM
// file of: img2dcm reads JPEG or BMP, not TIFF.
//
// ImageJ reads a camera's .NEF only with a raw reader (the DCRaw Reader plugin, or
// Bio-Formats in Fiji): put the reader's command in place of open().
args = split(getArgument(), " ");
setOption("ScaleConversions", true);
open(args[0]);
resetMinAndMax();
saveAs("Tiff", args[1]);
run("8-bit");
saveAs("Jpeg", args[2]);
File.saveString("done", args[3]);
