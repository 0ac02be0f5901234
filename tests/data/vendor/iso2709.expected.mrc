*00000330na   22        45  
*0014000001
*007ta
*008061204s2006    sw     e          0      
*02961$a4000001
*0410 $aswe
*1001 $aBerg, Eva
*24500$aHors d'œuvre på svenska
$hBok
$brecept
$cEva Berg
*260  $aGöteborg
$bKöksförlaget
$cop. 2006
$y2006
*300  $a180 s.
$c25 cm
*59200$aDALKKONV
$b2023-11-14
*59691$hBok
$mKartong
*650  $aMatlagning
*8870 $bxKA0000004
^
*00000122na   22        45  
*0014000002
*007co cga
*008                                 0
*02961$a4000002
*24500$aŒmega och alfa
$cP. Lukasz
*59200$aDALKKONV
$b2023-11-14
*59691$hDaisy
$mTalbok i Daisyformat
*8870 $bxDA0000005
^
