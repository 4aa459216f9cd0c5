<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- English is the source text; this catalogue only gives counted texts their singular. -->
<TS version="2.1" language="en">
<context>
    <name>Kestrow::ResultView</name>
    <message numerus="yes">
        <source>%n cells to check</source>
        <translation>
            <numerusform>%n cell to check</numerusform>
            <numerusform>%n cells to check</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Stitching</name>
    <message numerus="yes">
        <source>Added %n rows</source>
        <translation>
            <numerusform>Added %n row</numerusform>
            <numerusform>Added %n rows</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>skipped %n repeated</source>
        <translation>
            <numerusform>skipped %n repeated</numerusform>
            <numerusform>skipped %n repeated</numerusform>
        </translation>
    </message>
</context>
</TS>
