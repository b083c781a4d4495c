# The core, standard C++ only, in layers: each a static library that uses only those it names
# (and what they use in turn), bottom first. tests/structure/check_includes.py holds every
# include against this order.

# base — numbers: finite values, compensated sums, the parallel loop, number text.
blachorys_core_layer(base
    SOURCES
        compensatedsum.h finite.h numbertext.cpp numbertext.h parallelfor.cpp parallelfor.h)

# geometry — points and their arithmetic, rings and their clipping, curve sampling, normals,
# searches, the oblique cone's development and unrolling, the segment grid.
blachorys_core_layer(geometry
    USES base
    SOURCES
        coneangles.cpp coneangles.h conefan.cpp conefan.h coneunrolling.cpp coneunrolling.h
        curvesampling.cpp curvesampling.h depthsearch.cpp depthsearch.h fittingsearch.cpp
        fittingsearch.h nearestsegment.cpp nearestsegment.h obliquecone.cpp obliquecone.h
        outlinenormal.cpp outlinenormal.h point.h polygonclipping.cpp polygonclipping.h rectangle.h
        ring.cpp ring.h segmentgrid.cpp segmentgrid.h sheetsurface.h space.h thintriangle.cpp
        thintriangle.h)

# pattern — the flat pattern: its lines and their roles, outlines, exact curves, marks, checks,
# cut pieces.
blachorys_core_layer(pattern
    USES geometry
    SOURCES
        cutpiece.h markinglines.cpp markinglines.h markselection.cpp markselection.h pattern.cpp
        pattern.h patternchecks.cpp patternchecks.h patternlines.cpp patternlines.h pointmark.h)

# walls — a wall of some thickness: its surfaces, how a part is made, its offsets, a cone's plate,
# the hole through a wall.
blachorys_core_layer(walls
    USES geometry
    SOURCES
        coneplate.cpp coneplate.h firsttouching.cpp firsttouching.h wall.cpp wall.h wallhole.cpp wallhole.h walloffset.cpp
        walloffset.h)

# view3d — the 3-D view: the joint in space, the fit measure, the scene, the camera, the frame.
blachorys_core_layer(view3d
    USES pattern walls
    SOURCES
        edgepreparation.cpp edgepreparation.h jointfit.cpp jointfit.h jointview.h laidflat.cpp laidflat.h patterncells.cpp
        patterncells.h viewcamera.cpp
        viewcamera.h viewframe.cpp viewframe.h viewscene.cpp viewscene.h)

# plate — pieces on plates: flat pieces, parts, nesting, plates and material, the material list.
blachorys_core_layer(plate
    USES pattern
    SOURCES
        cutparts.cpp cutparts.h flatpiece.cpp flatpiece.h jobpieces.cpp jobpieces.h
        materiallist.cpp materiallist.h nesting.cpp nesting.h nestingyardsticks.cpp
        nestingyardsticks.h pieceparts.cpp pieceparts.h
        platematerial.cpp platematerial.h platesettings.h regioncut.cpp regioncut.h shelfplacement.cpp
        shelfplacement.h)

# sheets — what is drawn and printed: the template, the preview, the DXF writers' drawings, print
#  layout.
blachorys_core_layer(sheets
    USES plate
    SOURCES
        cncdrawing.cpp cncdrawing.h dxftemplatewriter.cpp dxftemplatewriter.h labelplacement.cpp
        labelplacement.h nestingdrawing.cpp nestingdrawing.h nestinglabels.cpp nestinglabels.h patterndrawing.cpp patterndrawing.h
        patternlook.cpp patternlook.h previewdrawing.cpp previewdrawing.h previewfit.cpp
        previewfit.h printlayout.cpp printlayout.h templatelines.cpp templatelines.h
        templateplan.cpp templateplan.h templatesettings.cpp templatesettings.h templatewording.cpp
        templatewording.h)

# calculator — a calculator: its definition, fields, checks, saved inputs, results and report.
blachorys_core_layer(calculator
    USES sheets view3d
    SOURCES
        branchchecks.h calculationresult.cpp calculationresult.h calculator.h
        calculatordefinition.cpp calculatordefinition.h casecalculator.h edgeoutputs.cpp
        edgeoutputs.h edgetexts.cpp edgetexts.h fieldreading.cpp
        fieldreading.h fittingrange.cpp fittingrange.h inputchecks.h makercontact.h
        outputdrawings.h plateoutputs.cpp plateoutputs.h platetexts.cpp platetexts.h
        pointreport.cpp pointreport.h savedinputformat.cpp savedinputformat.h sheetseam.cpp
        sheetseam.h wallchoices.cpp
        wallchoices.h)

# job — a job of many pieces: its entries, their calculations, one material list and nesting for
# all of them, the job's report.
blachorys_core_layer(job
    USES calculator
    SOURCES
        job.cpp job.h jobgroups.cpp jobgroups.h jobreport.cpp jobreport.h)
