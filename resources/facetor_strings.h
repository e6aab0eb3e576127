/* The string resources of facetor: the filter lists of the Open and Save prompts. Display
   name and pattern alternate, each element followed by "|". This header is the one place the
   texts live; the Windows resource script and every other platform take them from here. */
#ifndef FACETOR_STRINGS_H
#define FACETOR_STRINGS_H

#define IDS_DXF_FILTER 130
#define IDS_X3D_FILTER 131

#define IDS_DXF_FILTER_TEXT "DXF Files (*.dxf)|*.dxf|All Files(*.*)|*.*|"
#define IDS_X3D_FILTER_TEXT "X3D Files (*.x3d)|*.x3d|All Files(*.*)|*.*|"

#endif
